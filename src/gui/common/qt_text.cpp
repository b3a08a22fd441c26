#include "gui/common/qt_text.h"

#include "core/text.h"

namespace kindrela {

QString VersQString(std::string_view ansi) {
  return QString::fromStdString(AnsiVersUtf8(ansi));
}

std::string DepuisQString(const QString& texte) {
  return Utf8VersAnsi(texte.toStdString());
}

}  // namespace kindrela
