#pragma once

#include <string_view>

class QString;
class QTranslator;

// What both programs do first: the text set's name and version given to the
// platform, Qt's own texts put in the build's language, and the program
// folder settled. `kind` names the per-user folder ("viewer" or "editor")
// that the two language builds of a program share.
void StartProgram(std::string_view programName, std::string_view version, std::string_view kind,
                  std::string_view language);

// The file the program was asked to open on its command line (the first
// argument after Qt's own), empty when none.
QString StartFileArgument();

// Makes Qt's own dialogs, buttons and menus speak `language` ("es"): its
// translations are looked for in `folder` (Qt's translations folder when
// empty). English needs none. Returns the translator, owned by the
// application, or nothing when the language is English or its file is
// missing, in which case Qt's texts stay English.
QTranslator* InstallQtTranslations(std::string_view language, const QString& folder);
