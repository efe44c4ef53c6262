#include "viewer/settings/SettingsFile.h"

#include "platform/CodePage.h"
#include "platform/ProfileFile.h"
#include "viewer/settings/SettingsValues.h"

#include <type_traits>

namespace {

template <auto member>
SettingsField Top(ViewerSettings& s) { return &(s.*member); }

template <std::size_t footer, auto member>
SettingsField Footer(ViewerSettings& s) { return &(s.footers[footer].*member); }

template <auto group, auto member>
SettingsField In(ViewerSettings& s) { return &((s.*group).*member); }

using VS = ViewerSettings;
using FS = FooterSettings;
using PN = PageNumberSettings;
using CS = ColourSettings;
using PS = PositionSettings;
using PR = PrintSettings;

// The file's text of a field's value.
std::string ValueText(const SettingsField& field) {
  return std::visit(
      [](auto* value) -> std::string {
        if constexpr (std::is_same_v<decltype(value), std::string*>) {
          return Cp1252ToUtf8(FitFooterText(*value));
        } else {
          return FormatSettingsNumber(*value);
        }
      },
      field);
}

// The file trims its values, so a text read holds no blanks at its ends:
// a control character there, read as a blank, would go at the next read.
std::string WithoutEndBlanks(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);  // npos + 1 is 0: all blanks
  return text.erase(0, text.find_first_not_of(' '));
}

void StoreValueText(const SettingsField& field, std::string_view text) {
  std::visit(
      [text](auto* value) {
        using Field = std::remove_pointer_t<decltype(value)>;
        if constexpr (std::is_same_v<Field, std::string>) {
          *value = WithoutEndBlanks(FitFooterText(Utf8ToCp1252(text)));
        } else {
          *value = ParseSettingsNumber<Field>(text);
        }
      },
      field);
}

void ReadSettings(const ProfileFile& profile, ViewerSettings& settings) {
  ViewerSettings defaults;
  for (const SettingsKey& entry : kSettingsKeys) {
    const std::string defaultText = ValueText(entry.field(defaults));
    StoreValueText(entry.field(settings), profile.Get(entry.section, entry.key, defaultText));
  }
}

FileError SaveSettings(ViewerSettings& settings, const std::string& path) {
  ProfileFile profile;
  // A file that is there but cannot be read is not replaced: its other
  // lines would be lost.
  if (FileError read = ProfileFile::Load(path, profile); read.failed()) return read;
  for (const SettingsKey& entry : kSettingsKeys) {
    profile.Set(entry.section, entry.key, ValueText(entry.field(settings)));
  }
  return profile.Save(path);
}

}  // namespace

const std::array<SettingsKey, kSettingsKeyCount> kSettingsKeys = {{
    {"Fichero", "Formato", Top<&VS::imageFormat>},
    {"Control_Subrayado", "Forma", Top<&VS::selectorShape>},
    {"Pie_de_Pagina_1", "Activar", Footer<0, &FS::enabled>},
    {"Pie_de_Pagina_1", "Alineamiento", Footer<0, &FS::alignment>},
    {"Pie_de_Pagina_1", "Fuente", Footer<0, &FS::fontSize>},
    {"Pie_de_Pagina_1", "Fuente_Estilo_Negrita", Footer<0, &FS::bold>},
    {"Pie_de_Pagina_1", "Fuente_Estilo_Italica", Footer<0, &FS::italic>},
    {"Pie_de_Pagina_1", "Fuente_Estilo_Subrayado", Footer<0, &FS::underline>},
    {"Pie_de_Pagina_1", "Texto", Footer<0, &FS::text>},
    {"Pie_de_Pagina_2", "Activar", Footer<1, &FS::enabled>},
    {"Pie_de_Pagina_2", "Alineamiento", Footer<1, &FS::alignment>},
    {"Pie_de_Pagina_2", "Fuente", Footer<1, &FS::fontSize>},
    {"Pie_de_Pagina_2", "Fuente_Estilo_Negrita", Footer<1, &FS::bold>},
    {"Pie_de_Pagina_2", "Fuente_Estilo_Italica", Footer<1, &FS::italic>},
    {"Pie_de_Pagina_2", "Fuente_Estilo_Subrayado", Footer<1, &FS::underline>},
    {"Pie_de_Pagina_2", "Texto", Footer<1, &FS::text>},
    {"Numero_de_Pagina", "Activar", In<&VS::pageNumber, &PN::enabled>},
    {"Numero_de_Pagina", "Alineamiento", In<&VS::pageNumber, &PN::alignment>},
    {"Numero_de_Pagina", "Fuente", In<&VS::pageNumber, &PN::fontSize>},
    {"Numero_de_Pagina", "Etiqueta_Pagina", In<&VS::pageNumber, &PN::pageLabel>},
    {"Numero_de_Pagina", "Tipo_Numerico", In<&VS::pageNumber, &PN::numbering>},
    {"Numero_de_Pagina", "Resalte", In<&VS::pageNumber, &PN::romanCase>},
    {"Colores", "Sub_Horizontal", In<&VS::colours, &CS::horizontal>},
    {"Colores", "Sub_Vertical", In<&VS::colours, &CS::vertical>},
    {"Colores", "Sub_Fuente", In<&VS::colours, &CS::twoColourText>},
    {"Colores", "Sub_Fondo", In<&VS::colours, &CS::twoColourBackground>},
    {"Colores", "Sub_Enlaces", In<&VS::colours, &CS::links>},
    {"Posicion", "Y", In<&VS::position, &PS::y>},
    {"Posicion", "Pagina", In<&VS::position, &PS::page>},
    {"Posicion", "Lector", In<&VS::position, &PS::guideLine>},
    {"Posicion", "Lector_bool", In<&VS::position, &PS::guideState>},
    {"Imprimir", "Copias", In<&VS::print, &PR::copies>},
    {"Imprimir", "Color", In<&VS::print, &PR::colourMode>},
    {"Imprimir", "Calidad", In<&VS::print, &PR::quality>},
}};

FileError Settings(std::string_view mode, ViewerSettings& settings, const std::string& path) {
  if (mode == "get") {
    ProfileFile profile;
    ProfileFile::Load(path, profile);  // a file that cannot be read gives the defaults
    ReadSettings(profile, settings);
  } else if (mode == "save") {
    return SaveSettings(settings, path);
  }
  return {};
}
