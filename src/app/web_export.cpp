#include "app/web_export.h"

#include <algorithm>

#include "analysis/web_site.h"
#include "app/settings.h"
#include "app/web_pictures.h"

namespace kindrela {

namespace {

// The card options of "gene\Options", each a boolean of TOptionsWeb.
struct OptionFiche {
  std::string_view section;
  std::string_view cle;
  bool TOptionsWeb::*champ;
};
constexpr OptionFiche kOptionsFiche[] = {
    {kSectionWeb, "Liens", &TOptionsWeb::liensFiches},
    {kSectionWeb, "Prenoms", &TOptionsWeb::tousPrenoms},
    {kSectionWeb, "Parents", &TOptionsWeb::ficheParents},
    {kSectionWeb, "Fratrie", &TOptionsWeb::ficheFratrie},
    {kSectionWeb, "Enfants", &TOptionsWeb::ficheEnfants},
    {kSectionWeb, "Unions", &TOptionsWeb::ficheUnions},
    {kSectionWeb, "EveUnions", &TOptionsWeb::ficheEveUnions},
    {kSectionWeb, "Champs", &TOptionsWeb::ficheChamps},
    {kSectionWeb, "Eve", &TOptionsWeb::ficheEvenements},
    {kSectionWeb, "EveCalc", &TOptionsWeb::ficheCalcules},
    {kSectionWeb, "Notes", &TOptionsWeb::ficheNotes},
    {kSectionWeb, "Sources", &TOptionsWeb::ficheSources},
    {kSectionOptions, "SrcSorte", &TOptionsWeb::srcSorte},
    {kSectionOptions, "SrcNote", &TOptionsWeb::srcNote},
    {kSectionOptions, "SrcFichier", &TOptionsWeb::images},
    {kSectionOptions, "SrcFichierLien", &TOptionsWeb::imageOriginale},
};

// "HtmlListe1".."HtmlListe4": one of them is the list layout.
int ModeListe(const TReglages& r) {
  for (int k = 1; k <= 4; ++k)
    if (r.Bool(kSectionSauve, "HtmlListe" + std::to_string(k))) return k - 1;
  return 2;
}

}  // namespace

TOptionsWeb OptionsWeb(const TReglages& r, const std::string& formatDate) {
  TOptionsWeb o;
  const auto V = kSectionSauve;
  o.titre = r.Texte(V, "HtmlTitre");
  o.texteLibre = r.Lignes(V, "HtmlTexteLibre");
  o.liste = r.Bool(V, "HtmlListe");
  o.modeListe = ModeListe(r);
  o.personnesParListe = std::clamp(r.Entier(V, "HtmlListe2val"), 5, 250);
  o.listeLienAccueil = r.Bool(V, "HtmlListeLienAccueil");
  o.fiches = r.Bool(V, "HtmlFiche");
  o.fichesParPage = std::clamp(r.Entier(V, "HtmlNbre"), 0, 9999);
  o.ficheLienAccueil = r.Bool(V, "HtmlFicheLienAccueil");
  o.patronymes = r.Bool(V, "HtmlPatro");
  o.lieux = r.Bool(V, "HtmlLieux");
  o.dyna = r.Bool(V, "HtmlDyna");
  o.fichiersLies = r.Bool(V, "HtmlFichier");
  o.navigateur = r.Bool(V, "HtmlNavigateur");
  for (const OptionFiche& f : kOptionsFiche) o.*f.champ = r.Bool(f.section, f.cle);
  o.formeFiche = r.Entier(kSectionOptions, "FicheForme") == 0 ? 0 : 1;
  o.imageTaille = std::clamp(r.Entier(kSectionOptions, "SrcFichierMax"), 16, 4000);
  o.imageQualite = std::clamp(r.Entier(kSectionWeb, "Qualite"), 1, 100);
  o.auteur = r.Texte(kSectionOptions, "Auteur");
  o.auteurLien = r.Texte(kSectionOptions, "AuteurLien");
  o.dureeVieMax = r.DureeVieMax();
  o.formatDate = formatDate;
  return o;
}

void EcritOptionsWeb(TReglages& r, const TOptionsWeb& o) {
  const auto V = kSectionSauve;
  r.SetTexte(V, "HtmlTitre", o.titre);
  r.SetLignes(V, "HtmlTexteLibre", o.texteLibre);
  r.SetBool(V, "HtmlListe", o.liste);
  for (int k = 1; k <= 4; ++k) r.SetBool(V, "HtmlListe" + std::to_string(k), o.modeListe == k - 1);
  r.SetEntier(V, "HtmlListe2val", o.personnesParListe);
  r.SetBool(V, "HtmlListeLienAccueil", o.listeLienAccueil);
  r.SetBool(V, "HtmlFiche", o.fiches);
  r.SetEntier(V, "HtmlNbre", o.fichesParPage);
  r.SetBool(V, "HtmlFicheLienAccueil", o.ficheLienAccueil);
  r.SetBool(V, "HtmlPatro", o.patronymes);
  r.SetBool(V, "HtmlLieux", o.lieux);
  r.SetBool(V, "HtmlDyna", o.dyna);
  r.SetBool(V, "HtmlFichier", o.fichiersLies);
  r.SetBool(V, "HtmlNavigateur", o.navigateur);
  for (const OptionFiche& f : kOptionsFiche) r.SetBool(f.section, f.cle, o.*f.champ);
  r.SetEntier(kSectionOptions, "FicheForme", o.formeFiche);
  r.SetEntier(kSectionOptions, "SrcFichierMax", o.imageTaille);
  r.SetEntier(kSectionWeb, "Qualite", o.imageQualite);
  r.SetTexte(kSectionOptions, "Auteur", o.auteur);
  r.SetTexte(kSectionOptions, "AuteurLien", o.auteurLien);
}

Statut ExporteSiteWeb(const TBD& bd, const TTraduction& traduction, const TOptionsWeb& options,
                      const std::string& dossierModeles, const TDossiersImages& images,
                      const std::string& pagePrincipale, const Progression& progression,
                      std::vector<std::string>* fichiers) {
  TContexteSite c;
  c.traduction = &traduction;
  if (Statut s = ChargeModelesWeb(dossierModeles, c.modeles, options.dyna); !s) return s;
  c.encodeur = EncodeImageJpeg;
  c.dossiersImages = images;
  c.progression = progression;
  return ExportSite(bd, options, c, pagePrincipale, fichiers);
}

}  // namespace kindrela
