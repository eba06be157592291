// The toolkit's own texts (the fields' standard context menu, standard
// buttons) in the window's language.
#pragma once

class QCoreApplication;

namespace tarnel {

// Installs Qt's Russian translations from the toolkit's translations folder
// into `application`, which owns them. Without them installed the toolkit
// keeps its English texts; nothing fails.
void LoadToolkitTranslations(QCoreApplication& application);

}  // namespace tarnel
