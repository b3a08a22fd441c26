// The one crossing between the core's Windows-1252 text and Qt's QString.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kindrela {

QString VersQString(std::string_view ansi);
// Characters Windows-1252 cannot hold become their closest letter or "?".
std::string DepuisQString(const QString& texte);

}  // namespace kindrela
