#include "platform/ProgramStart.h"

#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

namespace {

QString ToQ(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

QTranslator* InstallQtTranslations(std::string_view language, const QString& folder) {
  // Qt speaks English without help, whatever the system's language.
  if (language.empty() || language == "en") return nullptr;
  auto* translator = new QTranslator(QCoreApplication::instance());
  const QString where = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
  if (!translator->load(QStringLiteral("qtbase_") + ToQ(language), where)) {
    delete translator;
    return nullptr;
  }
  QCoreApplication::installTranslator(translator);
  // Dates and sizes in the file chooser follow the language too.
  QLocale::setDefault(QLocale(ToQ(language)));
  return translator;
}

QString StartFileArgument() { return QCoreApplication::arguments().value(1); }

void StartProgram(std::string_view programName, std::string_view version, std::string_view kind,
                  std::string_view language) {
  QCoreApplication::setApplicationName(ToQ(programName));
  QCoreApplication::setApplicationVersion(ToQ(version));
  InstallQtTranslations(language, {});
  const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                             QStringLiteral("/marvessa/") + ToQ(kind);
  const std::string folder = ResolveProgramFolder(ExecutableFolder(), userFolder.toStdString());
  SetProgramFolder(folder);
  if (folder == userFolder.toStdString() + "/") {
    SetExportFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString() +
                    "/Marvessa/");
  }
}
