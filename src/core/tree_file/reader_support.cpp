#include "core/tree_file/reader_support.h"
#include "core/ansi_literal.h"

#include <algorithm>

namespace kindrela::lecture {

int BorneNbre(long long nbre, int capacite, std::size_t octetsRestants,
              std::size_t octetsMinParRecord, const char* quoi, ResultatLecture& r) {
  if (nbre < 0) {
    r.avertissements.push_back(std::string("Nombre de ") + quoi + " négatif dans l'en-tête : "_ansi +
                               std::to_string(nbre) + ", lu comme 0.");
    return 0;
  }
  long long borne = nbre;
  if (borne > capacite) {
    r.avertissements.push_back(std::string("Nombre de ") + quoi + " au-delà de la capacité : "_ansi +
                               std::to_string(nbre) + ", limité à "_ansi + std::to_string(capacite) +
                               ".");
    borne = capacite;
  }
  // Every record holds at least its value counts: more records than that
  // cannot be in the file, whatever its header says.
  long long possibles = static_cast<long long>(octetsRestants / std::max<std::size_t>(1, octetsMinParRecord));
  if (octetsRestants % std::max<std::size_t>(1, octetsMinParRecord) != 0) ++possibles;
  if (borne > possibles) {
    r.avertissements.push_back(std::string("Le fichier se termine avant la fin des ") + quoi + " : " +
                               std::to_string(possibles) + " au plus sur " + std::to_string(nbre) +
                               " annoncés."_ansi);
    borne = possibles;
  }
  return static_cast<int>(borne);
}

void LibereFichesSansNom(TBD& bd) {
  for (int n = 1; n <= bd.NbreFiche(); ++n) {
    TFiche& f = bd.FicheBrute(n);
    if (f.Nom.empty() && f.Pre.empty()) f.Utilise = 0;
  }
}

void TermineLecture(TBD& bd, int ref, int selec, ResultatLecture& r) {
  bd.RefPers = std::max(ref, 1);
  r.selecPers = std::max(selec, 1);
  bd.BaseChargee = 1;
}

}  // namespace kindrela::lecture
