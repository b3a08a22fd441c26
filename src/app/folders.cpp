#include "app/folders.h"

#include <vector>

#include "core/identity.h"
#include "core/file_io.h"

namespace kindrela {
namespace {

// A folder as the program keeps it: ending with "/". Registry-like sources
// give folders without their final separator, so one is added when missing.
std::string Dossier(std::string chemin) {
  if (chemin.empty() || chemin.back() != '/') chemin += '/';
  return chemin;
}

// The base of the per-user folders when the system does not know one.
std::string BaseUtilisateur(const std::string& connu, const std::string& maison) {
  if (!connu.empty()) return Dossier(connu);
  if (!maison.empty()) return Dossier(maison);
  return "/";
}

}  // namespace

Statut ControleTraduction(const std::string& dossierProgramme) {
  if (!FichierExiste(Dossier(dossierProgramme) + kCheminTraduction))
    return Statut::Erreur(std::string("Not Found : ") + kCheminTraduction);
  return Statut::Ok();
}

TIniProgramme LitIniProgramme(const FichierIni& ini) {
  TIniProgramme v;
  v.debugTrad = ini.LitBooleen("Defaut", "debugtrad", false);
  v.langue = ini.LitEntier("Defaut", "langue", 1);
  v.formatDate = ini.LitTexte("Defaut", "date_format " + std::to_string(v.langue), "j/m/a");
  v.skin = ini.LitTexte("defaut", "skin", "defaut");
  return v;
}

Statut ChargeIniProgramme(const std::string& dossierProgramme, TIniProgramme& valeurs) {
  std::string chemin = Dossier(dossierProgramme) + kCheminIniProgramme;
  if (!FichierExiste(chemin))
    return Statut::Erreur(std::string("Not Found : ") + kCheminIniProgramme);
  valeurs = LitIniProgramme(FichierIni(chemin));
  return Statut::Ok();
}

void AppliqueIniProgramme(const TIniProgramme& valeurs, TTraduction& traduction) {
  traduction.Langue = valeurs.langue;
  traduction.DebugTrad = valeurs.debugTrad;
}

std::string FichierUtilisateurOuInstalle(const std::string& dossierUtilisateur,
                                         const std::string& dossierInstalle, const std::string& nom) {
  const std::string utilisateur = dossierUtilisateur + nom;
  return FichierExiste(utilisateur) ? utilisateur : dossierInstalle + nom;
}

Statut InitDossiers(const TDossiersSysteme& systeme, int langue, const std::string& skin,
                    const TTraduction& traduction, TDossiers& d) {
  const std::string titre(kTitreApplication);
  d = TDossiers{};

  d.programme = Dossier(systeme.programme);
  d.modele = d.programme + "modele/";
  d.fichierTraduction = d.modele + "famora.tra";
  d.fichierIniProgramme = d.modele + "famora.ini";
  d.fichierTableFetes = d.modele + "defaut.kd";
  d.langue = d.modele + std::to_string(langue) + "/";
  d.imageArbre = d.modele + "0/ImageArbre/";
  d.arbre = d.langue + "arbre/";
  d.carte = d.langue + "carte/";
  d.lieu = d.langue + "lieu/";
  d.rapport = d.langue + "rapport/";
  d.skin = d.programme + "skins/" + skin + "/";
  d.exemple = d.langue + "exemple/";
  d.param = d.langue + "param/";
  if (DossierExiste(d.langue + "ModeleArtistique/"))
    d.modeleArtistique = d.langue + "ModeleArtistique/";
  if (DossierExiste(d.modele + "0/ImageArtistique/"))
    d.imageArtistique = d.modele + "0/ImageArtistique/";
  d.exportHtmlDefaut = d.langue + "ExportHtml/Defaut/";
  d.fichierStyleCss = d.exportHtmlDefaut + "style.css";
  d.fichierFete = d.langue + "Fete.kd";

  d.apparenceDefaut = traduction.Msg(2206);
  d.fichierApparenceDefaut = d.arbre + d.apparenceDefaut + ".kda";
  d.fichierRapportDefaut = d.rapport + d.apparenceDefaut + ".kdr";

  const std::string dossierMesArbres = traduction.MsgCle("folder_ma_famora");
  const std::string dossierExport = traduction.MsgCle("folder_export_html");
  d.documents = BaseUtilisateur(systeme.personal, systeme.maison) + titre + "/";
  d.paramUtilisateur = BaseUtilisateur(systeme.appData, systeme.maison) +
                       std::string(kEditeur) + "/" + titre + "/" +
                       traduction.MsgCle("folder_param_user") + "/";
  d.mesArbres = d.documents + dossierMesArbres + "/";
  d.exportHtml = d.documents + dossierExport + "/";
  d.fichierReglages = d.paramUtilisateur + "gene.ini";
  d.fichierAnniFete = d.paramUtilisateur + "AnniFete.kd";
  d.rapportUtilisateur = d.paramUtilisateur + "rapport/";
  d.carteUtilisateur = d.paramUtilisateur + "carte/";
  d.grilles.eve = d.paramUtilisateur + "Eve.tra";
  d.grilles.chp = d.paramUtilisateur + "Chp.tra";
  d.grilles.src = d.paramUtilisateur + "Src.tra";
  d.grilles.defEve = d.param + "DefEve.tra";
  d.grilles.defChp = d.param + "DefChp.tra";
  d.grilles.defSrc = d.param + "DefSrc.tra";

  if (dossierMesArbres.empty()) return Statut::Erreur("MLS : folder_ma_famora");
  if (dossierExport.empty()) return Statut::Erreur("MLS : folder_export_html");

  // The required parts of the installation, in the order the user is told
  // about them; a file entry follows the folder that holds it.
  struct Requis {
    const std::string& chemin;
    bool fichier;
  };
  const Requis requis[] = {
      {d.langue, false},  {d.imageArbre, false}, {d.arbre, false},
      {d.fichierApparenceDefaut, true},          {d.carte, false},
      {d.lieu, false},    {d.rapport, false},    {d.fichierRapportDefaut, true},
      {d.skin, false},    {d.exemple, false},    {d.param, false},
      {d.exportHtmlDefaut, false},
  };
  for (const auto& r : requis) {
    bool present = r.fichier ? FichierExiste(r.chemin) : DossierExiste(r.chemin);
    if (!present) return Statut::Erreur(r.chemin);
  }
  return Statut::Ok();
}

}  // namespace kindrela
