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

// Start-up timing, for measuring and for the installation check: with
// $KINDRELA_CHRONO set, each step writes "kindrela: <ms> ms <step>" to
// standard error, the milliseconds counted from the process's creation; with
// $KINDRELA_CHRONO = "quitte" the program also ends as soon as its first
// tree is shown (exit code 0, settings not written).
void MarqueDemarrage(const char* etape);
bool QuitteApresAffichage();

}  // namespace kindrela
