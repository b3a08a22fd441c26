#include "editing/adding.h"

#include <initializer_list>

#include "chart/kinship.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/journal.h"
#include "dates/dates.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

constexpr int kHomme = 0, kFemme = 1;

// Asks message `numero` with the persons' short names; only Yes consents.
bool Demande(ContexteAjout& ctx, int numero, std::initializer_list<int> personnes) {
  if (!ctx.demande) return false;
  std::vector<std::string> noms;
  for (int p : personnes) noms.push_back(ctx.bd.NomCourt(p));
  std::string texte = ctx.traduction.Msg(numero);
  std::string rempli;
  switch (noms.size()) {
    case 1: rempli = Remplit(texte, {noms[0]}); break;
    case 2: rempli = Remplit(texte, {noms[0], noms[1]}); break;
    default: rempli = Remplit(texte, {noms[0], noms[1], noms[2]}); break;
  }
  return ctx.demande(DevelopperRetours(rempli));
}

void Estime(ContexteAjout& ctx, int p, int nouveau, int signe) {
  if (ctx.options.evalueNaissance) EstimeNaissance(ctx.bd, p, nouveau, signe * ctx.options.generation);
}

// The persons whose father (or mother) is p and who are in use, ascending.
TR Enfants(const TBD& bd, int p) {
  TR enfants = ChildrenOf(bd, p);
  TR gardes(enfants.Capacite());
  for (int k : enfants)
    if (bd.FicheUtilisee(k)) gardes.Add(k);
  return gardes;
}

}  // namespace

int MessageIdentite(SorteAjout sorte) { return 302 + 2 * static_cast<int>(sorte); }
int MessageFiche(SorteAjout sorte) { return 303 + 2 * static_cast<int>(sorte); }
bool NomCopie(SorteAjout sorte) { return sorte != SorteAjout::Mere && sorte != SorteAjout::Conjoint; }
bool SexeAuChoix(SorteAjout sorte) { return sorte == SorteAjout::Enfant || sorte == SorteAjout::Fratrie; }

void EstimeNaissance(TBD& bd, int p, int nouveau, int decalage) {
  const int annee = DateAnnee(bd.LitDateNaissance(p));
  if (annee <= 0 || annee + decalage <= 0) return;
  const int e = bd.AjouteEveFiche(nouveau);
  if (e == 0) return;
  bd.EcritChampEve(e, 1, bd.NatNaissance);
  bd.EcritChampEve(e, 2, "vers " + std::to_string(annee + decalage));
  bd.EcritChampEve(e, 6, "2");
}

int AjouteNouvelle(TBD& bd) {
  TEtapeJournal etape(bd, "ajout d'une personne");
  const int n = bd.NouvelleFiche();
  if (n != 0) bd.BaseModifiee = 1;
  return n;
}

int Ajoute(ContexteAjout& ctx, SorteAjout sorte, int p, const EtapeIdentite& identite) {
  TBD& bd = ctx.bd;
  if (!bd.FicheUtilisee(p)) return 0;
  static const char* const kQuoi[] = {"ajout du père de "_ansi, "ajout de la mère de "_ansi,
                                      "ajout d'un enfant de ", "ajout d'un conjoint de ",
                                      "ajout d'un frère ou d'une soeur de "_ansi};
  TEtapeJournal etape(bd, kQuoi[static_cast<int>(sorte)] + bd.NomCourt(p));
  const int n = bd.NouvelleFiche();
  if (n == 0) return 0;
  const int sexeP = bd.LitSexe(p);
  switch (sorte) {
    case SorteAjout::Pere:
      bd.EcritSexe(n, kHomme);
      bd.EcritNom(n, bd.LitNom(p));
      bd.EcritPere(p, n);
      Estime(ctx, p, n, -1);
      SetFatherSosa(bd, p);
      break;
    case SorteAjout::Mere:
      bd.EcritSexe(n, kFemme);
      bd.EcritMere(p, n);
      Estime(ctx, p, n, -1);
      SetMotherSosa(bd, p);
      break;
    case SorteAjout::Enfant:
      bd.EcritSexe(n, kHomme);
      bd.EcritNom(n, bd.LitNom(p));
      if (sexeP != kHomme) bd.EcritMere(n, p);
      else bd.EcritPere(n, p);
      Estime(ctx, p, n, +1);
      CompleteApresEnfant(ctx, p, n);
      if (const int pere = bd.LitPere(n); pere > 0) bd.EcritNom(n, bd.LitNom(pere));
      break;
    case SorteAjout::Conjoint:
      bd.EcritSexe(n, sexeP != kHomme ? kHomme : kFemme);
      if (bd.CreeUnion(p, n) == 0) {
        // No union can be made: a spouse without one would be a stranger.
        bd.EffaceFiche(n);
        return 0;
      }
      Estime(ctx, p, n, 0);
      break;
    case SorteAjout::Fratrie:
      bd.EcritSexe(n, kHomme);
      bd.EcritNom(n, bd.LitNom(p));
      bd.EcritPere(n, bd.LitPere(p));
      bd.EcritMere(n, bd.LitMere(p));
      Estime(ctx, p, n, 0);
      break;
  }
  bd.BaseModifiee = 1;
  if (identite) identite(n);
  switch (sorte) {
    case SorteAjout::Pere: CompleteApresPere(ctx, p, n); break;
    case SorteAjout::Mere: CompleteApresMere(ctx, p, n); break;
    case SorteAjout::Enfant: break;  // its completion ran before the identity
    case SorteAjout::Conjoint: CompleteApresConjoint(ctx, p, n); break;
    case SorteAjout::Fratrie: CompleteApresFratrie(ctx, p, n); break;
  }
  bd.BaseModifiee = 1;
  return n;
}

int AjoutePere(ContexteAjout& ctx, int p, const EtapeIdentite& i) { return Ajoute(ctx, SorteAjout::Pere, p, i); }
int AjouteMere(ContexteAjout& ctx, int p, const EtapeIdentite& i) { return Ajoute(ctx, SorteAjout::Mere, p, i); }
int AjouteEnfant(ContexteAjout& ctx, int p, const EtapeIdentite& i) { return Ajoute(ctx, SorteAjout::Enfant, p, i); }
int AjouteConjoint(ContexteAjout& ctx, int p, const EtapeIdentite& i) {
  return Ajoute(ctx, SorteAjout::Conjoint, p, i);
}
int AjouteFratrie(ContexteAjout& ctx, int p, const EtapeIdentite& i) { return Ajoute(ctx, SorteAjout::Fratrie, p, i); }

void CompleteApresPere(ContexteAjout& ctx, int enfant, int pere) {
  TBD& bd = ctx.bd;
  const int mere = bd.LitMere(enfant);
  if (mere > 0) {
    if (UnionOfCouple(bd, pere, mere) == 0 && Demande(ctx, 320, {enfant, mere})) bd.CreeUnion(pere, mere);
    return;
  }
  const TR unions = UnionsOf(bd, pere);
  for (int u : unions) {
    if (bd.LitMere(enfant) != 0) break;
    const int femme = bd.LitNumF(u);
    if (femme <= 0 || femme == pere) continue;
    if ((!ctx.options.lienAuto || unions.Count() > 1) && !Demande(ctx, 321, {bd.LitNumH(u), femme, enfant}))
      continue;
    bd.EcritMere(enfant, femme);
    SetMotherSosa(bd, enfant);
  }
}

void CompleteApresMere(ContexteAjout& ctx, int enfant, int mere) {
  TBD& bd = ctx.bd;
  const int pere = bd.LitPere(enfant);
  if (pere > 0) {
    if (UnionOfCouple(bd, pere, mere) == 0 && Demande(ctx, 322, {enfant, pere})) bd.CreeUnion(pere, mere);
    return;
  }
  const TR unions = UnionsOf(bd, mere);
  for (int u : unions) {
    if (bd.LitPere(enfant) != 0) break;
    const int mari = bd.LitNumH(u);
    if (mari <= 0 || mari == mere) continue;
    if ((!ctx.options.lienAuto || unions.Count() > 1) && !Demande(ctx, 323, {bd.LitNumF(u), mari, enfant}))
      continue;
    bd.EcritPere(enfant, mari);
    SetFatherSosa(bd, enfant);
  }
}

void CompleteApresEnfant(ContexteAjout& ctx, int parent, int enfant) {
  TBD& bd = ctx.bd;
  const int sexe = bd.LitSexe(parent);
  const TR unions = UnionsOf(bd, parent);
  const bool sansQuestion = ctx.options.lienAuto && unions.Count() == 1;
  for (int u : unions) {
    if (sexe == kHomme && bd.LitMere(enfant) == 0) {
      const int femme = bd.LitNumF(u);
      if (femme <= 0) continue;
      if (sansQuestion || Demande(ctx, 328, {parent, femme})) bd.EcritMere(enfant, femme);
    } else if (sexe == kFemme && bd.LitPere(enfant) == 0) {
      const int mari = bd.LitNumH(u);
      if (mari <= 0) continue;
      if (sansQuestion || Demande(ctx, 329, {parent, mari})) bd.EcritPere(enfant, mari);
    }
  }
  const int pere = bd.LitPere(enfant), mere = bd.LitMere(enfant);
  if (pere > 0 && mere > 0 && UnionOfCouple(bd, mere, pere) == 0 && Demande(ctx, 330, {mere, pere, enfant})) {
    bd.CreeUnion(mere, pere);
    CompleteApresConjoint(ctx, mere, pere);
  }
}

void CompleteApresConjoint(ContexteAjout& ctx, int personne, int conjoint) {
  TBD& bd = ctx.bd;
  const int sexe = bd.LitSexe(personne);
  const bool sansQuestion = ctx.options.lienAuto;
  for (int k : Enfants(bd, personne)) {
    if (k == conjoint) continue;
    if (sexe == kHomme && bd.LitMere(k) == 0) {
      if (sansQuestion || Demande(ctx, 324, {personne, k})) {
        bd.EcritMere(k, conjoint);
        SetMotherSosa(bd, k);
      }
    } else if (sexe == kFemme && bd.LitPere(k) == 0) {
      if (sansQuestion || Demande(ctx, 325, {personne, k})) {
        bd.EcritPere(k, conjoint);
        SetFatherSosa(bd, k);
      }
    }
  }
  for (int k : Enfants(bd, conjoint)) {
    if (k == personne) continue;
    if (sexe == kHomme && bd.LitPere(k) == 0) {
      if (sansQuestion || Demande(ctx, 326, {conjoint, k, personne})) {
        bd.EcritPere(k, personne);
        SetFatherSosa(bd, k);
      }
    } else if (sexe == kFemme && bd.LitMere(k) == 0) {
      if (sansQuestion || Demande(ctx, 327, {conjoint, k, personne})) {
        bd.EcritMere(k, personne);
        SetMotherSosa(bd, k);
      }
    }
  }
}

int CompleteApresFratrie(ContexteAjout& ctx, int personne, int frere) {
  TBD& bd = ctx.bd;
  if (bd.LitPere(personne) != 0 || bd.LitMere(personne) != 0) return 0;
  if (!Demande(ctx, 331, {personne})) return 0;
  const int parent = bd.NouvelleFiche();
  if (parent == 0) return 0;
  const std::string aujourdhui = DateDuJour();
  bd.EcritChamp(parent, 21, aujourdhui);
  bd.EcritChamp(parent, 22, aujourdhui);
  bd.EcritSexe(parent, kFemme);
  bd.EcritNom(parent, bd.LitNom(personne));
  bd.EcritPrenoms(parent, ctx.traduction.Msg(312));
  Estime(ctx, personne, parent, -1);
  for (int enfant : {personne, frere}) {
    bd.EcritMere(enfant, parent);
    SetMotherSosa(bd, enfant);
  }
  bd.BaseModifiee = 1;
  return parent;
}

}  // namespace kindrela
