// The main window's web views: the built-in browser and ViewSite, the
// chart page (command 207), the source page and its export chooser
// (command 305), the ancestry page of the report options, and the opening
// of the pages the report, statistics and map windows write.
#include <algorithm>
#include <memory>

#include <QButtonGroup>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "analysis/report_grid.h"
#include "analysis/report_html.h"
#include "analysis/web_views.h"
#include "app/settings.h"
#include "chart/looks.h"
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
// The pages' frame: the plain page of the report's exports, with the style
// sheet beside it.

struct TScaWin::TEcrivainWeb {
  int fichesParPage = 25;
};

std::shared_ptr<TScaWin::TEcrivainWeb> TScaWin::EcrivainWeb() {
  auto e = std::make_shared<TEcrivainWeb>();
  e->fichesParPage = m_app.reglages.Entier(kSectionSauve, "HtmlNbre");
  return e;
}

TGabaritPage TScaWin::GabaritDe(const std::shared_ptr<TEcrivainWeb>& e) const {
  TGabaritPage g;
  const TBD& bd = *m_app.bd;
  g.entete = [](std::string_view titre) {
    return "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"windows-1252\">\r\n<title>" + EchappeHtml(titre) +
           "</title>\r\n<link rel=\"stylesheet\" href=\"style.css\">\r\n</head>\r\n<body>\r\n";
  };
  g.pied = [] { return std::string("</body>\r\n</html>\r\n"); };
  g.nomPersonne = [&bd](int r) {
    if (!bd.FicheUtilisee(r)) return std::string();
    const TFiche& f = bd.Fiche(r);
    return f.Pre.empty() ? f.Nom : f.Nom + " " + f.Pre;
  };
  const int p = e->fichesParPage;
  g.adresseFiche = [p](int r) {
    const int q = p < 1 ? 1 : (r - 1) / p + 1, k = p < 1 ? r : (r - 1) % p + 1;
    return "page" + std::to_string(q) + ".htm#fiche" + std::to_string(k);
  };
  g.lienPersonne = [g](int r) {
    return "<a href=\"" + g.adresseFiche(r) + "\">" + EchappeHtml(g.nomPersonne(r)) + "</a>";
  };
  return g;
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
    m_web->SetActionFiche([this](int r, bool) {
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
  if (!m_externe || !m_externe(VersQString(chemin)))
    BoiteMessage(VersQString(FormateMsg(m_app.traduction.MsgCle("rapport_sans_programme"),
                                        {ExtensionDe(chemin), chemin})),
                 kInformation, 0, this);
}

void TScaWin::MontrePageWeb(const std::string& chemin) {
  AjouteFichierSupplementaire(m_app.fichiersWeb, chemin);
  ViewSite(chemin);
}

bool TScaWin::EcritPage(const TEcrivainWeb&, const std::string& chemin, const std::string& page) {
  QDir().mkpath(VersQString(DossierDe(chemin)));
  Statut s = EcritFichierAtomique(chemin, page);
  if (s.ok() && !m_app.styleCss.empty()) s = EcritFichierAtomique(DossierDe(chemin) + "style.css", m_app.styleCss);
  if (!s.ok()) {
    BoiteMessage(VersQString(FormateMsg(m_app.traduction.MsgCle("rapport_ecriture"), {s.message()})), kErreur, 0,
                 this);
    return false;
  }
  return true;
}

std::string TScaWin::ArbreWeb() {
  TBD& bd = *m_app.bd;
  const int r = bd.RefPers;
  if (!bd.FicheUtilisee(r) || !ArbreVisible()) return {};
  auto e = EcrivainWeb();
  if (!e) return {};
  const std::string dossier = m_app.dossiers.exportHtml;
  QDir().mkpath(VersQString(dossier));
  const std::string base = dossier + "arbre" + std::to_string(r);
  if (Statut s = m_aff->ExporteImage(base + ".jpg", TAffArbre::ZoneImage::Visible); !s.ok()) {
    BoiteMessage(VersQString(s.message()), kErreur, 0, this);
    return {};
  }
  const std::string chemin = base + ".htm";
  if (!EcritPage(*e, chemin, PageArbre(GabaritDe(e), m_app.traduction.Msg(558), r))) return {};
  MontrePageWeb(chemin);
  return chemin;
}

std::string TScaWin::SourcesWeb(bool rapport) {
  const TBD& bd = *m_app.bd;
  const TR* liste = m_app.rapport.Liste();
  if (rapport && !liste) return {};
  auto e = EcrivainWeb();
  std::vector<int> personnes;
  if (rapport) personnes = liste->Vecteur();
  const TReglages& r = m_app.reglages;
  const TTraduction& t = m_app.traduction;
  const std::string dossier = m_app.dossiers.exportHtml;
  const TDossiersImages dossiers{m_app.dossiers.modele, m_app.dossiers.programme, m_app.dossiers.imageArbre,
                                 m_app.fichierCourant};
  const int taille = r.Bool(kSectionOptions, "SrcFichierReduc") ? r.Entier(kSectionOptions, "SrcFichierMax") : 0;
  const bool lien = r.Bool(kSectionOptions, "SrcFichierLien");
  // The picture as a JPEG beside the page, reduced to the options' size,
  // with its original size behind a link when asked.
  auto image = [&](const std::string& fichier) -> std::string {
    const std::string trouve = ResolvePicture(fichier, dossiers);
    if (trouve.empty()) return {};
    QImage img(VersQString(trouve));
    if (img.isNull()) return {};
    const std::string nom = MinusculesAnsi(DepuisQString(QFileInfo(VersQString(trouve)).completeBaseName())) + ".jpg";
    QImage petite = img;
    if (taille > 0 && (img.width() > taille || img.height() > taille))
      petite = img.scaled(taille, taille, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (!petite.save(VersQString(dossier + nom), "JPG")) return {};
    const std::string balise = "<img src=\"" + EchappeHtml(nom) + "\">";
    if (!lien || !img.save(VersQString(dossier + "ori_" + nom), "JPG")) return balise;
    return "<a href=\"ori_" + EchappeHtml(nom) + "\"> " + balise + "</a>";
  };
  const TMotsPageSources mots{t.Msg(567), t.Msg(566), t.Msg(568)};
  const std::string page = PageSources(bd, GabaritDe(e), OptionsSourcesDepuisReglages(r), mots,
                                       rapport ? &personnes : nullptr, m_app.rapport.legende, image);
  const std::string chemin = ProchainFichierLibre(dossier, "source");
  if (!EcritPage(*e, chemin, page)) return {};
  MontrePageWeb(chemin);
  return chemin;
}

std::string TScaWin::AscendanceWeb(const TOptionsAscendance& options) {
  const TBD& bd = *m_app.bd;
  if (!bd.FicheUtilisee(m_selecPers)) return {};
  auto e = EcrivainWeb();
  if (!e) return {};
  const std::string page = PageAscendance(bd, GabaritDe(e), m_selecPers, options);
  const std::string chemin = ProchainFichierLibre(m_app.dossiers.exportHtml, "rapport");
  if (!EcritPage(*e, chemin, page)) return {};
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
  const std::string n = std::to_string(liste ? liste->Count() : 0);
  // The record cards are written by the web site's card writer.
  const std::string raison = t.MsgCle("fiches_web_absentes");
  const int choix = ChoixExport(VersQString("Exporter cette fiche"),
                                {{1, t.Msg(1200), false, raison},
                                 {2, t.Msg(1201), false, raison},
                                 {3, t.Msg(527) + " " + n + " " + t.Msg(528), false, raison},
                                 {4, t.Msg(527) + " " + n + " " + t.Msg(529), false, raison},
                                 {6, t.Msg(1202), true, {}}});
  if (choix == 6) AfficheOptions(this, m_app, kPageSourcesWeb);
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
