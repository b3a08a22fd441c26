#include "app/web_export.h"

#include <algorithm>

#include "analysis/report_grid.h"
#include "analysis/web_site.h"
#include "app/folders.h"
#include "app/settings.h"
#include "app/web_pictures.h"
#include "core/database.h"
#include "core/file_io.h"
#include "i18n/translation.h"

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

Statut TVuesWeb::Ouvre(const TBD& bd, const TTraduction& traduction, const TOptionsWeb& options,
                       const std::string& dossierModeles, const TDossiersImages& images,
                       std::unique_ptr<TVuesWeb>& vues) {
  vues.reset();
  TModelesWeb modeles;
  if (Statut s = ChargeModelesWeb(dossierModeles, modeles, false); !s) return s;
  vues.reset(new TVuesWeb(bd, traduction, options, std::move(modeles), images));
  return Statut::Ok();
}

TVuesWeb::TVuesWeb(const TBD& bd, const TTraduction& traduction, const TOptionsWeb& options, TModelesWeb modeles,
                   const TDossiersImages& images)
    : m_options(options),
      m_modeles(std::move(modeles)),
      m_pages(bd, traduction, m_options, m_modeles),
      m_images(EncodeImageJpeg, images) {}

TGabaritPage TVuesWeb::Gabarit() const {
  TGabaritPage g;
  const TPagesWeb& p = m_pages;
  const int parPage = m_options.fichesParPage;
  g.entete = [&p](std::string_view titre) { return p.PageHeader(titre); };
  g.pied = [&p] { return p.PageFooter(); };
  g.nomPersonne = [&p](int r) { return p.NomPersonne(r); };
  g.lienPersonne = [&p](int r) { return p.PersonLink(r); };
  g.adresseFiche = [parPage](int r) { return LienFiche(r, parPage); };
  return g;
}

std::string TVuesWeb::Image(const std::string& fichier, const std::string& dossier, int cote, bool lienOriginal) {
  TOptionsWeb o = m_options;
  o.imageTaille = cote;
  o.imageOriginale = lienOriginal;
  return m_images.Image(fichier, dossier, o);
}

std::string TVuesWeb::Carte(int r, const std::string& dossier) {
  return Card(m_pages, r, dossier, m_options.images ? &m_images : nullptr);
}

std::string TVuesWeb::PageFiche(int r, std::string_view mot557, const std::string& dossier) {
  const std::string titre = std::string(mot557) + " " + m_pages.NomPersonne(r) + ".";
  return PageFiches(Gabarit(), titre, {r}, [&](int p) { return Carte(p, dossier); }, false);
}

std::string TVuesWeb::PageFichesRapport(const std::vector<int>& personnes, std::string_view titre,
                                        const std::string& dossier) {
  std::vector<int> enUsage;
  for (int r : personnes)
    if (m_pages.Base().FicheUtilisee(r)) enUsage.push_back(r);
  return PageFiches(Gabarit(), titre, enUsage, [&](int p) { return Carte(p, dossier); }, true);
}

std::string TVuesWeb::PageGrilleRapport(std::string_view titre, const TGrilleRapport& grille,
                                        int miseEnForme) const {
  std::vector<std::string> classes;
  for (int l = 0; l < grille.NbreLignes(); ++l) {
    const int p = grille.Personne(l);
    classes.push_back(RegleLigne(l + 1, miseEnForme, p > 0 ? m_pages.Base().LitSexe(p) : 2).substr(1));
  }
  return PageGrille(m_pages, titre, grille, classes);
}

Statut TVuesWeb::Ecrit(const std::string& chemin, std::string_view page) const {
  if (Statut s = EcritPageWeb(chemin, page); !s) return s;
  return CopieStyle(m_modeles, DossierDe(chemin));
}

Statut OuvreVuesWeb(const TBD& bd, const TTraduction& traduction, const TReglages& reglages,
                    const std::string& formatDate, const TDossiers& d, const std::string& fichierCourant,
                    std::unique_ptr<TVuesWeb>& vues) {
  const TDossiersImages images{d.modele, d.programme, d.imageArbre, fichierCourant};
  return TVuesWeb::Ouvre(bd, traduction, OptionsWeb(reglages, formatDate), d.exportHtmlDefaut, images, vues);
}

}  // namespace kindrela
