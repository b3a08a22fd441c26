#include "gui/common/qt_text.h"

#include "core/text.h"

// Letters Windows-1252 lacks travel as the core's references
// (core/letters.h): shown as letters, and a letter typed or pasted is stored
// as its reference; a typed "&#322;" stays these characters.
namespace kindrela {

QString VersQString(std::string_view ansi) {
  return QString::fromStdString(AnsiVersUtf8(ansi));
}

std::string DepuisQString(const QString& texte) {
  return Utf8VersAnsi(texte.toStdString());
}

}  // namespace kindrela
