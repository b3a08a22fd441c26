// The one crossing between the core's Windows-1252 text and Qt's QString.
// Letters Windows-1252 lacks travel as the core's references
// (core/letters.h): shown as letters, and a letter typed or pasted is
// stored as its reference.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kindrela {

QString VersQString(std::string_view ansi);
// A typed "&#322;" stays these characters (its ampersand escaped).
std::string DepuisQString(const QString& texte);

}  // namespace kindrela
