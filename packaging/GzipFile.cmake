# tarnel_gzip_file(SOURCE OUTPUT TARGET): OUTPUT is SOURCE compressed as
# Debian installs documentation (gzip -9n: no name, no time stamp, so the
# same text gives the same file), made by the custom target TARGET, which is
# built by default.
find_program(TARNEL_GZIP gzip REQUIRED)

function(tarnel_gzip_file source output target)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "\"$1\" -9n -c \"$2\" > \"$3\"" sh ${TARNEL_GZIP} ${source} ${output}
    DEPENDS ${source}
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()
