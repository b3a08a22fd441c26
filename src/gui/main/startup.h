// The program's start: installation checks, translation, settings and
// folders, then the main window and the message loop.
#pragma once

#include <QString>

namespace kindrela {

// Runs the whole program and returns the process exit code: 0 after a
// normal close, 1 after a halt (a missing installation file or folder,
// whose message has been shown).
int LanceProgramme(int argc, char** argv);

// The folder that holds "modele": $KINDRELA_DOSSIER when set, else the
// executable's folder, else its "../share/kindrela". Ends with "/".
QString DossierProgramme();

// Shows a start-up message: a message box, or only standard error when
// $KINDRELA_MESSAGES is "stderr" (scripts and tests).
void MessageDemarrage(const QString& texte);

}  // namespace kindrela
