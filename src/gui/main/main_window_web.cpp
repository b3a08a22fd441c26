// The main window's web views: the built-in browser and ViewSite, the
// chart page (command 207), the record cards (command 108), the source page
// and its export chooser (command 305), the ancestry page of the report
// options, and the opening of the pages the report, statistics and map
// windows write. Every page is composed by the site's writer (TVuesWeb).
#include <algorithm>
#include <memory>

#include <QButtonGroup>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "analysis/report_grid.h"
#include "analysis/report_html.h"
#include "analysis/web_views.h"
#include "app/settings.h"
#include "app/web_export.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/file_io.h"
#include "core/text.h"
#include "gui/analysis/map_window.h"
#include "gui/analysis/options_web_page.h"
#include "gui/analysis/options_window.h"
#include "gui/analysis/report_options.h"
#include "gui/analysis/report_window.h"
#include "gui/dates/event_calendar_window.h"
#include "gui/chart/chart_view.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/analysis/web_window.h"
#include "gui/main/application.h"
#include "gui/main/main_window.h"

namespace kindrela {
namespace {

bool PageHtml(const QString& chemin) {
  return chemin.endsWith(".htm", Qt::CaseInsensitive) || chemin.endsWith(".html", Qt::CaseInsensitive);
}

}  // namespace

// ---------------------------------------------------------------------------
// The site's page writer, with the options and templates of the moment.

std::unique_ptr<TVuesWeb> TScaWin::VuesWeb() {
  std::unique_ptr<TVuesWeb> vues;
  if (Statut s = OuvreVuesWeb(*m_app.bd, m_app.traduction, m_app.reglages, m_app.ini.formatDate, m_app.dossiers,
                              m_app.fichierCourant, vues);
      !s)
    BoiteMessage(VersQString(FormateMsg(m_app.traduction.MsgCle("modeles_web_absents"), {s.message()})), kErreur,
                 0, this);
  return vues;
}

void TScaWin::ConstruitWeb() {
  m_externe = [](const QString& chemin) { return QDesktopServices::openUrl(QUrl::fromLocalFile(chemin)); };
  // The pages of the report, statistics and map windows are listed for the
  // web site and shown like the others; what is not a page (the report's
  // spreadsheet file) and the online map, which runs a script, go to the
  // system's programs.
  auto page = [this](const QString& chemin) {
    if (!PageHtml(chemin)) return m_externe(chemin);
    MontrePageWeb(DepuisQString(chemin));
    return true;
  };
  m_app.voirSite = [this](const std::string& chemin) { ViewSite(chemin); };
  m_rapport->SetOuvreur(page);
  m_cal->SetOuvreur(page);
  m_critere->SetAscendance([this](const TOptionsAscendance& o) { (void)AscendanceWeb(o); });
  Carte().SetOuvreur([this, page](const QString& chemin) {
    if (QFileInfo(chemin).fileName() == "carte.htm") return m_externe(chemin);
    return page(chemin);
  });
}

TfmWeb& TScaWin::Web() {
  if (!m_web) {
    m_web = new TfmWeb(m_app, this);
    // With Ctrl the card opens in a page of its own; without, the person
    // is taken into the program.
    m_web->SetActionFiche([this](int r, bool ctrl) {
      if (ctrl) {
        (void)FicheWeb(r);
        return;
      }
      SetSelecPers(r);
      if (!FicheVisible()) ShowFiche();
    });
  }
  return *m_web;
}

void TScaWin::SetOuvreurExterne(OuvreurExterne ouvreur) { m_externe = std::move(ouvreur); }

void TScaWin::ViewSite(const std::string& chemin) {
  if (m_app.reglages.Bool(kSectionOptions, "WebBrowser")) {
    Web().ViewSite(VersQString(chemin));
    return;
  }
  OuvreDocument(chemin);
}

void TScaWin::OuvreDocument(const std::string& chemin) {
  if (!m_externe || !m_externe(VersQString(chemin)))
    BoiteMessage(VersQString(FormateMsg(m_app.traduction.MsgCle("fichier_sans_programme"),
                                        {ExtensionDe(chemin), chemin})),
                 kInformation, 0, this);
}

void TScaWin::MontrePageWeb(const std::string& chemin) {
  AjouteFichierSupplementaire(m_app.fichiersWeb, chemin);
  ViewSite(chemin);
}

bool TScaWin::EcritPage(const TVuesWeb& vues, const std::string& chemin, const std::string& page) {
  QDir().mkpath(VersQString(DossierDe(chemin)));
  if (Statut s = vues.Ecrit(chemin, page); !s.ok()) {
    BoiteMessage(VersQString(FormateMsg(m_app.traduction.MsgCle("page_ecriture"), {s.message()})), kErreur, 0, this);
    return false;
  }
  return true;
}

std::string TScaWin::ArbreWeb() {
  TBD& bd = *m_app.bd;
  const int r = bd.RefPers;
  if (!bd.FicheUtilisee(r) || !ArbreVisible()) return {};
  auto vues = VuesWeb();
  if (!vues) return {};
  const std::string dossier = m_app.dossiers.exportHtml;
  QDir().mkpath(VersQString(dossier));
  const std::string base = dossier + "arbre" + std::to_string(r);
  if (Statut s = m_aff->ExporteImage(base + ".jpg", TAffArbre::ZoneImage::Visible); !s.ok()) {
    BoiteMessage(VersQString(s.message()), kErreur, 0, this);
    return {};
  }
  const std::string chemin = base + ".htm";
  if (!EcritPage(*vues, chemin, PageArbre(vues->Gabarit(), m_app.traduction.Msg(558), r))) return {};
  MontrePageWeb(chemin);
  return chemin;
}

std::string TScaWin::SourcesWeb(bool rapport) {
  const TBD& bd = *m_app.bd;
  const TR* liste = m_app.rapport.Liste();
  if (rapport && !liste) return {};
  auto vues = VuesWeb();
  if (!vues) return {};
  std::vector<int> personnes;
  if (rapport) personnes = liste->Vecteur();
  const TReglages& r = m_app.reglages;
  const TTraduction& t = m_app.traduction;
  const std::string dossier = m_app.dossiers.exportHtml;
  QDir().mkpath(VersQString(dossier));
  const int taille = r.Bool(kSectionOptions, "SrcFichierReduc") ? r.Entier(kSectionOptions, "SrcFichierMax") : 0;
  const bool lien = r.Bool(kSectionOptions, "SrcFichierLien");
  auto image = [&](const std::string& fichier) { return vues->Image(fichier, dossier, taille, lien); };
  const TMotsPageSources mots{t.Msg(567), t.Msg(566), t.Msg(568)};
  const std::string page = PageSources(bd, vues->Gabarit(), OptionsSourcesDepuisReglages(r), mots,
                                       rapport ? &personnes : nullptr, m_app.rapport.legende, image);
  const std::string chemin = ProchainFichierLibre(dossier, "source");
  if (!EcritPage(*vues, chemin, page)) return {};
  MontrePageWeb(chemin);
  return chemin;
}

std::string TScaWin::AscendanceWeb(const TOptionsAscendance& options) {
  const TBD& bd = *m_app.bd;
  if (!bd.FicheUtilisee(m_selecPers)) return {};
  auto vues = VuesWeb();
  if (!vues) return {};
  const std::string page = PageAscendance(bd, vues->Gabarit(), m_selecPers, options);
  const std::string chemin = ProchainFichierLibre(m_app.dossiers.exportHtml, "rapport");
  if (!EcritPage(*vues, chemin, page)) return {};
  MontrePageWeb(chemin);
  return chemin;
}

std::string TScaWin::FichesWeb(bool rapport, bool document) {
  const TBD& bd = *m_app.bd;
  const TR* liste = m_app.rapport.Liste();
  if (rapport ? !liste : !bd.FicheUtilisee(m_selecPers)) return {};
  auto vues = VuesWeb();
  if (!vues) return {};
  const std::string dossier = m_app.dossiers.exportHtml;
  QDir().mkpath(VersQString(dossier));
  // The word processor gets the same page as a document: the programs for
  // documents read HTML under that name.
  const std::string extension = document ? ".doc" : ".htm";
  std::string chemin, page;
  if (rapport) {
    const std::string titre = m_app.rapport.legende.empty() ? std::string("Fiche") : m_app.rapport.legende;
    page = vues->PageFichesRapport(liste->Vecteur(), titre, dossier);
    chemin = ProchainFichierLibre(dossier, "fiches", extension);
  } else {
    page = vues->PageFiche(m_selecPers, m_app.traduction.Msg(557), dossier);
    chemin = dossier + "fiche" + std::to_string(m_selecPers) + extension;
  }
  if (!EcritPage(*vues, chemin, page)) return {};
  if (document) OuvreDocument(chemin);
  else MontrePageWeb(chemin);
  return chemin;
}

std::string TScaWin::FicheWeb(int r) {
  if (!m_app.bd->FicheUtilisee(r)) return {};
  auto vues = VuesWeb();
  if (!vues) return {};
  const std::string dossier = m_app.dossiers.exportHtml;
  const std::string chemin = dossier + "webfiche.htm";
  if (!EcritPage(*vues, chemin, vues->PageFiche(r, m_app.traduction.Msg(557), dossier))) return {};
  MontrePageWeb(chemin);
  return chemin;
}

int TScaWin::ChoixExport(const QString& titre, const std::vector<TEntreeExport>& entrees) {
  QDialog choix(this);
  choix.setObjectName("fmChoixExport");
  choix.setWindowTitle(titre);
  auto* l = new QVBoxLayout(&choix);
  auto* groupe = new QButtonGroup(&choix);
  bool premier = true;
  for (const TEntreeExport& e : entrees) {
    auto* r = new QRadioButton(VersQString(e.texte), &choix);
    r->setObjectName(QString("rbExport%1").arg(e.numero));
    r->setEnabled(e.active);
    if (!e.raison.empty()) r->setToolTip(VersQString(e.raison));
    if (e.active && premier) {
      r->setChecked(true);
      premier = false;
    }
    groupe->addButton(r, e.numero);
    l->addWidget(r);
  }
  auto* b = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &choix);
  connect(b, &QDialogButtonBox::accepted, &choix, &QDialog::accept);
  connect(b, &QDialogButtonBox::rejected, &choix, &QDialog::reject);
  l->addWidget(b);
  if (choix.exec() != QDialog::Accepted) return 0;
  return std::max(groupe->checkedId(), 0);
}

void TScaWin::ExporteFiche() {
  const TTraduction& t = m_app.traduction;
  const TR* liste = m_app.rapport.Liste();
  const bool unePersonne = m_app.bd->FicheUtilisee(m_selecPers);
  const std::string n = std::to_string(liste ? liste->Count() : 0);
  const int choix = ChoixExport(VersQString("Exporter cette fiche"),
                                {{1, t.Msg(1200), unePersonne, {}},
                                 {2, t.Msg(1201), unePersonne, {}},
                                 {3, t.Msg(527) + " " + n + " " + t.Msg(528), liste != nullptr, {}},
                                 {4, t.Msg(527) + " " + n + " " + t.Msg(529), liste != nullptr, {}},
                                 {6, t.Msg(1202), true, {}}});
  switch (choix) {
    case 1: (void)FichesWeb(false, false); break;
    case 2: (void)FichesWeb(false, true); break;
    case 3: (void)FichesWeb(true, false); break;
    case 4: (void)FichesWeb(true, true); break;
    case 6: AfficheOptions(this, m_app, kPageSourcesWeb); break;
    default: break;
  }
}

void TScaWin::ExporteSources() {
  const TTraduction& t = m_app.traduction;
  const TR* liste = m_app.rapport.Liste();
  const int n = liste ? liste->Count() : 0;
  const int choix = ChoixExport(VersQString("Exporter les sources"),
                                {{1, t.Msg(532), true, {}},
                                 {2, FormateMsg(t.Msg(1206), {std::to_string(n)}), liste != nullptr, {}},
                                 {4, t.Msg(1203), true, {}}});
  switch (choix) {
    case 1: (void)SourcesWeb(false); break;
    case 2: (void)SourcesWeb(true); break;
    case 4: AfficheOptions(this, m_app, kPageSourcesWeb); break;
    default: break;
  }
}

}  // namespace kindrela
