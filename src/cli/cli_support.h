// What every kindrela-cli command shares: output in the terminal's UTF-8,
// error lines, progress on stderr and Ctrl-C.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "app/folders.h"
#include "core/status.h"
#include "core/tree_file/tree_file_load.h"
#include "i18n/translation.h"

namespace kindrela {
class TTablesTypes;
}

namespace kindrela::cli {

// Our texts are Windows-1252; the terminal reads UTF-8.
void Ecrit(std::FILE* f, std::string_view texte);
// "kindrela-cli: " + texte on stderr.
void Erreur(std::string_view texte);
// A percentage on stderr when it is a terminal; false once Ctrl-C was pressed.
Progression Avancement();
// Ctrl-C sets the flag that Avancement and Interrompu read.
void InstalleInterruption();
bool Interrompu();
// A command-line argument (UTF-8) as the core's Windows-1252 text.
std::string Argument(const char* utf8);

// The folder that holds "modele": $KINDRELA_DOSSIER when set, else the
// executable's folder or its "../share/kindrela/" when "modele" is there.
std::string DossierProgramme();

// What the commands read from the installation: the translation in the
// language of famora.ini, and famora.ini itself.
struct Installation {
  std::string programme;
  TTraduction traduction;
  TIniProgramme ini;
};
// An error names the missing file and says how to name another folder.
Statut ChargeInstallation(Installation& inst);
// The default event kinds and custom fields of the installation's language,
// which give the GEDCOM tags.
Statut ChargeTablesInstallees(const Installation& inst, TTablesTypes& tables);

// The tree of the command this process runs. It is never destroyed: the
// system takes its memory back at once when the process ends, where freeing
// the texts of a large tree one by one takes longer than saving it.
TBD& BaseDuProcessus();

// Loads a tree file for a command, with progress and Ctrl-C, reporting
// its warnings and errors on stderr. 0 when loaded, else the exit code
// (1 failure, 130 interrupted).
int ChargeArbre(TBD& bd, const std::string& chemin, ResultatChargement& resultat);

// The exit code of writing `sortie`: 0 when written, 130 when interrupted
// (saying the file was not written), 1 on failure (with its message).
int CodeEcriture(const Statut& s, const std::string& sortie);

// One command: argv[0] is the command's own name, its arguments follow.
// Returns the process exit code: 0 done, 1 failure, 2 bad arguments, 130 interrupted.
using Commande = int (*)(int argc, char** argv);

// The commands, one per file.
int CmdInfo(int argc, char** argv);
int CmdConvert(int argc, char** argv);
int CmdNumber(int argc, char** argv);
int CmdExpand(int argc, char** argv);
int CmdImport(int argc, char** argv);
int CmdExport(int argc, char** argv);
int CmdCheck(int argc, char** argv);
int CmdReport(int argc, char** argv);
int CmdStats(int argc, char** argv);
int CmdSources(int argc, char** argv);
int CmdMerge(int argc, char** argv);
int CmdFind(int argc, char** argv);
int CmdWeb(int argc, char** argv);

}  // namespace kindrela::cli
