#include "gui/analysis/web_window.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "analysis/report_grid.h"
#include "analysis/web_views.h"
#include "app/settings.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "gui/analysis/options_window.h"
#include "gui/chart/chart_print.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {

QPushButton* Bouton(const char* nom, std::string_view texte, QWidget* parent) {
  auto* b = new QPushButton(VersQString(texte), parent);
  b->setObjectName(nom);
  return b;
}

// A page that runs a script (the site's dynamic page) needs a real browser.
bool PageAvecScript(const QUrl& page) {
  QFile f(page.toLocalFile());
  if (!f.open(QIODevice::ReadOnly)) return false;
  return f.read(64000).contains("<script");
}

bool CtrlEnfonce() { return QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier); }

}  // namespace

TfmWeb::TfmWeb(TApplication& app, QWidget* parent) : QWidget(parent, Qt::Window), m_app(app) {
  setObjectName("fmWeb");
  setWindowTitle(VersQString("Navigateur"));
  m_vue = new QTextBrowser(this);
  m_vue->setObjectName("WebBrowser");
  // Every link goes through Suit: a card link must not be followed.
  m_vue->setOpenLinks(false);
  m_etat = new QLabel(this);
  m_etat->setObjectName("sbWeb");
  m_precedente = Bouton("bPrecedente", "Précédente"_ansi, this);
  m_suivante = Bouton("bSuivante", "Suivante", this);
  auto* imprimer = Bouton("bImprimer", "Imprimer", this);
  auto* options = Bouton("bOptions", "Options", this);

  auto* panneau = new QWidget(this);
  panneau->setObjectName("pWeb");
  auto* boutons = new QHBoxLayout(panneau);
  for (QPushButton* b : {m_precedente, m_suivante, imprimer, options}) boutons->addWidget(b);
  boutons->addStretch(1);
  // The panel takes the colour of the options ("RRRGGGBBB"), when one is set.
  const std::string couleur = m_app.reglages.Texte(kSectionOptions, "Couleur");
  if (couleur.size() == 9 && couleur.find_first_not_of("0123456789") == std::string::npos) {
    panneau->setAutoFillBackground(true);
    QPalette p = panneau->palette();
    p.setColor(QPalette::Window, QColor(std::stoi(couleur.substr(0, 3)) % 256, std::stoi(couleur.substr(3, 3)) % 256,
                                        std::stoi(couleur.substr(6, 3)) % 256));
    panneau->setPalette(p);
  }

  auto* racine = new QVBoxLayout(this);
  racine->setContentsMargins(0, 0, 0, 0);
  racine->addWidget(panneau);
  racine->addWidget(m_vue, 1);
  racine->addWidget(m_etat);

  connect(m_precedente, &QPushButton::clicked, m_vue, &QTextBrowser::backward);
  connect(m_suivante, &QPushButton::clicked, m_vue, &QTextBrowser::forward);
  connect(m_vue, &QTextBrowser::historyChanged, this, &TfmWeb::MetAJourBoutons);
  connect(imprimer, &QPushButton::clicked, this, &TfmWeb::Imprime);
  connect(options, &QPushButton::clicked, this, [this] { AfficheOptions(this, m_app, kPageSourcesWeb); });
  connect(m_vue, &QTextBrowser::highlighted, this, [this](const QUrl& lien) {
    m_survol = lien;
    Survole(lien, CtrlEnfonce());
  });
  // Ctrl pressed or released over a card link changes what following it does.
  m_vue->installEventFilter(this);
  m_vue->viewport()->installEventFilter(this);
  connect(m_vue, &QTextBrowser::anchorClicked, this, [this](const QUrl& lien) { Suit(lien, CtrlEnfonce()); });
  TraduitFenetre(this, m_app.traduction);
  MetAJourBoutons();
  resize(800, 600);
}

void TfmWeb::ViewSite(const QString& chemin) {
  m_chemin = chemin;
  m_etat->setText(chemin);
  // A page written again under the same name is read again.
  m_vue->clearHistory();
  m_vue->setSource(QUrl());
  m_vue->setSource(QUrl::fromLocalFile(QFileInfo(chemin).absoluteFilePath()));
  MetAJourBoutons();
  show();
  raise();
  activateWindow();
}

int TfmWeb::PersonneDuLienUrl(const QUrl& lien) const {
  if (lien.isEmpty()) return 0;
  const QUrl complet = m_vue->source().resolved(lien);
  QString texte = complet.fileName();
  if (complet.hasFragment()) texte += "#" + complet.fragment();
  return PersonneDuLien(DepuisQString(texte), m_app.reglages.Entier(kSectionSauve, "HtmlNbre"),
                        m_app.bd ? m_app.bd->NbreFiche() : 0);
}

void TfmWeb::Survole(const QUrl& lien, bool ctrl) {
  const int r = PersonneDuLienUrl(lien);
  if (r > 0) {
    const std::string nom = m_app.bd->NomCourt(r);
    m_etat->setText(VersQString(FormateMsg(m_app.traduction.Msg(ctrl ? 2134 : 2135), {nom})));
  } else {
    m_etat->setText(lien.isEmpty() ? m_chemin : lien.toString());
  }
}

bool TfmWeb::Suit(const QUrl& lien, bool ctrl) {
  const int r = PersonneDuLienUrl(lien);
  if (r > 0) {
    if (m_actionFiche) m_actionFiche(r, ctrl);
    return true;
  }
  const QUrl complet = m_vue->source().resolved(lien);
  if ((complet.isLocalFile() || complet.isRelative()) && !PageAvecScript(complet)) m_vue->setSource(complet);
  else QDesktopServices::openUrl(complet);  // mail, outside addresses, scripts
  return false;
}

bool TfmWeb::eventFilter(QObject* objet, QEvent* event) {
  if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && !m_survol.isEmpty() &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Control)
    Survole(m_survol, event->type() == QEvent::KeyPress);
  return QWidget::eventFilter(objet, event);
}

QString TfmWeb::TexteEtat() const { return m_etat->text(); }

QUrl TfmWeb::PageCourante() const { return m_vue->source(); }

void TfmWeb::MetAJourBoutons() {
  m_precedente->setEnabled(m_vue->isBackwardAvailable());
  m_suivante->setEnabled(m_vue->isForwardAvailable());
}

void TfmWeb::Imprime() {
  if (!ImprimanteDisponible()) {
    BoiteMessage(VersQString(m_app.traduction.Msg(535)), kInformation, 0, this);
    return;
  }
  QPrinter imprimante;
  QPrintDialog dialogue(&imprimante, this);
  if (dialogue.exec() == QDialog::Accepted) m_vue->print(&imprimante);
}

}  // namespace kindrela
