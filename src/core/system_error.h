// Why a system call failed, in words the user reads: the C library's own
// texts are English and in the locale's encoding, while every message the
// program shows is French Windows-1252 text.
#pragma once

#include <string>

namespace kindrela {

// The reason for error code `code` (an errno value): a short French
// sentence fragment without final stop ("Permission refusée"). A code
// without its own text gives "erreur système N".
std::string RaisonSysteme(int code);

// The reason for the current errno.
std::string RaisonSystemeCourante();

}  // namespace kindrela
