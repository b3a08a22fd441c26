#include "gui/dates/event_calendar_window.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSpinBox>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "analysis/report_grid.h"
#include "core/ansi_literal.h"
#include "core/file_io.h"
#include "dates/dates.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {

// The painted year: month names on top, day numbers on the left, one cell
// per day coloured from the web style sheet.
class TGrilleCalendrier : public QWidget {
 public:
  TGrilleCalendrier(TfmCal& cal, TApplication& app, QWidget* parent)
      : QWidget(parent), m_cal(cal), m_app(app) {
    setObjectName("pbCal");
    setMouseTracking(true);
    setMinimumSize(12 * 40 + kLargeurColonneJours, 31 * 14 + kHauteurLigneMois);
  }
  void RelitCouleurs() {
    auto couleur = [&](const char* regle, QColor defaut) {
      int r = 0, g = 0, b = 0;
      if (LitCouleurCss(ProprieteCss(m_app.styleCss, regle, "background-color"), r, g, b)) return QColor(r, g, b);
      return defaut;
    };
    m_case = couleur(".calcase", QColor(153, 204, 255));
    m_weekEnd = couleur(".calweekend", QColor(235, 235, 235));
    m_td = couleur("table tbody td", Qt::white);
    m_mois = couleur(".calmois", QColor(210, 210, 230));
    m_jour = couleur(".caljour", QColor(210, 210, 230));
    auto texte = [&](const char* regle) {
      int r = 0, g = 0, b = 0;
      if (LitCouleurCss(ProprieteCss(m_app.styleCss, regle, "color"), r, g, b)) return QColor(r, g, b);
      return QColor(Qt::black);
    };
    m_texteMois = texte(".calmois");
    m_texteJour = texte(".caljour");
    m_weekEndActif = m_app.reglages.Bool(kSectionOptions, "CalWE");
  }
  QColor CouleurCase() const { return m_case; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const int w = width(), h = height();
    const TCalendrier& cal = m_cal.Calendrier();
    const int fin = m_cal.Reglages().fin;
    p.fillRect(rect(), m_td);
    p.setPen(QColor(128, 128, 128));
    for (int m = 1; m <= 12; ++m) {
      const TRectCase t = RectCase(m, 1, w, h);
      const QRect entete(t.gauche, 0, t.droite - t.gauche, kHauteurLigneMois + 1);
      p.fillRect(entete, m_mois);
      p.drawRect(entete.adjusted(0, 0, -1, -1));
      const QString nom = VersQString(NomsMois[static_cast<size_t>(m)]);
      p.setPen(m_texteMois);
      p.drawText(entete, Qt::AlignCenter, nom.left(1).toUpper() + nom.mid(1, 3) + (nom.size() > 4 ? "." : ""));
      p.setPen(QColor(128, 128, 128));
    }
    for (int j = 1; j <= 31; ++j) {
      const TRectCase t = RectCase(1, j, w, h);
      const QRect entete(0, t.haut, kLargeurColonneJours + 1, t.bas - t.haut);
      p.fillRect(entete, m_jour);
      p.drawRect(entete.adjusted(0, 0, -1, -1));
      p.setPen(m_texteJour);
      p.drawText(entete, Qt::AlignCenter, QString::number(j));
      p.setPen(QColor(128, 128, 128));
    }
    for (int m = 1; m <= 12; ++m) {
      for (int j = 1; j <= 31; ++j) {
        const TRectCase t = RectCase(m, j, w, h);
        const QRect r(t.gauche, t.haut, t.droite - t.gauche, t.bas - t.haut);
        QColor fond = m_td;
        if (!cal.Case(m, j).empty()) fond = m_case;
        else if (m_weekEndActif && EstWeekEnd(j, m, fin)) fond = m_weekEnd;
        p.fillRect(r, fond);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        const size_t n = cal.Case(m, j).size();
        if (n > 1) p.drawText(r, Qt::AlignCenter, QString::number(n));
      }
    }
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    const QPoint pos = e->position().toPoint();
    const TCaseCalendrier c = CaseAuPoint(pos.x(), pos.y(), width(), height());
    m_cal.Survole(c.mois, c.jour);
    const bool marque = c.mois != 0 && !m_cal.Calendrier().Case(c.mois, c.jour).empty();
    setCursor(marque ? Qt::PointingHandCursor : Qt::ArrowCursor);
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    const QPoint pos = e->position().toPoint();
    const TCaseCalendrier c = CaseAuPoint(pos.x(), pos.y(), width(), height());
    if (c.mois != 0) m_cal.Clic(c.mois, c.jour);
  }
  void leaveEvent(QEvent*) override { m_cal.Survole(0, 0); }

 private:
  TfmCal& m_cal;
  TApplication& m_app;
  QColor m_case, m_weekEnd, m_td, m_mois, m_jour, m_texteMois = Qt::black, m_texteJour = Qt::black;
  bool m_weekEndActif = true;
};

TfmCal::TfmCal(TApplication& app, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_app(app) {
  setObjectName("fmCal");
  setProperty("raccourcisPrincipaux", true);
  setWindowTitle(VersQString("Calendrier"));
  m_ouvreur = [](const QString& chemin) { return QDesktopServices::openUrl(QUrl::fromLocalFile(chemin)); };

  auto mode = [this](const char* nom, const char* texte) {
    auto* b = new QToolButton(this);
    b->setObjectName(nom);
    b->setText(VersQString(texte));
    b->setCheckable(true);
    b->setAutoExclusive(true);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
  };
  m_evenements = mode("sbEvenements", "Evénements"_ansi);
  m_anniversaires = mode("sbAnniversaires", "Anniversaires");
  m_evenements->setChecked(true);
  connect(m_evenements, &QToolButton::clicked, this, [this] { SetAnniversaires(false); });
  connect(m_anniversaires, &QToolButton::clicked, this, [this] { SetAnniversaires(true); });

  m_pour = new QComboBox(this);
  m_pour->setObjectName("cbPour");
  for (const char* e : {"Tous les individus", "Individus en vie", "Individus du rapport", "Unions"})
    m_pour->addItem(VersQString(e));
  m_eve = new QComboBox(this);
  m_eve->setObjectName("cbEve");
  m_eve->setMinimumContentsLength(14);
  m_deb = new QSpinBox(this);
  m_deb->setObjectName("seDeb");
  m_fin = new QSpinBox(this);
  m_fin->setObjectName("seFin");
  for (QSpinBox* s : {m_deb, m_fin}) s->setRange(0, 9999);
  m_deb->setValue(kAnneeDebutCalendrier);
  m_fin->setValue(kAnneeFinCalendrier);
  connect(m_pour, &QComboBox::activated, this, [this] {
    RempliEvenements();
    RemplirCalendrier();
  });
  connect(m_eve, &QComboBox::activated, this, [this] { RemplirCalendrier(); });
  for (QSpinBox* s : {m_deb, m_fin})
    connect(s, &QSpinBox::valueChanged, this, [this] {
      if (!m_remplissage) RemplirCalendrier();
    });

  auto* haut = new QHBoxLayout;
  haut->addWidget(m_evenements);
  haut->addWidget(m_anniversaires);
  haut->addSpacing(8);
  auto* lPour = new QLabel(VersQString("Pour:"), this);
  lPour->setObjectName("lPour");
  haut->addWidget(lPour);
  haut->addWidget(m_pour);
  haut->addWidget(m_eve, 1);
  auto* lDe = new QLabel(VersQString("De"), this);
  lDe->setObjectName("lDeb");
  haut->addWidget(lDe);
  haut->addWidget(m_deb);
  auto* lA = new QLabel(VersQString("à"_ansi), this);
  lA->setObjectName("lFin");
  haut->addWidget(lA);
  haut->addWidget(m_fin);

  m_grille = new TGrilleCalendrier(*this, app, this);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(4, 4, 4, 4);
  v->addLayout(haut);
  v->addWidget(m_grille, 1);
  TraduitFenetre(this, app.traduction);
  setWindowTitle(VersQString(app.traduction.MsgCle("fmCal.Caption")));
  RempliEvenements();
  resize(760, 560);
}

void TfmCal::RempliEvenements() {
  const TTraduction& t = m_app.traduction;
  m_remplissage = true;
  m_eve->clear();
  if (m_reglages.anniversaires) {
    m_eve->addItem(VersQString(t.Msg(201)));
  } else {
    m_eve->addItem(VersQString(t.Msg(700)));
    const bool unions = m_pour->currentIndex() == static_cast<int>(OrigineCalendrier::Unions);
    for (const std::string& n : m_app.tables.Natures(t.Msg(unions ? 708 : 707))) m_eve->addItem(VersQString(n));
  }
  m_eve->setCurrentIndex(0);
  m_remplissage = false;
}

void TfmCal::SetAnniversaires(bool anniversaires) {
  m_reglages.anniversaires = anniversaires;
  m_remplissage = true;
  (anniversaires ? m_anniversaires : m_evenements)->setChecked(true);
  if (anniversaires) m_pour->setCurrentIndex(static_cast<int>(OrigineCalendrier::EnVie));
  m_pour->setEnabled(!anniversaires);
  m_eve->setEnabled(!anniversaires);
  m_remplissage = false;
  RempliEvenements();
  RemplirCalendrier();
}

void TfmCal::LitControles() {
  m_reglages.origine = static_cast<OrigineCalendrier>(std::max(m_pour->currentIndex(), 0));
  m_reglages.nature = m_eve->currentIndex() <= 0 ? std::string() : DepuisQString(m_eve->currentText());
  m_reglages.debut = m_deb->value();
  m_reglages.fin = m_fin->value();
}

void TfmCal::RemplirCalendrier() {
  if (m_remplissage) return;
  LitControles();
  const TBD& bd = *m_app.bd;
  if (!m_reglages.anniversaires && m_reglages.origine == OrigineCalendrier::Rapport) {
    const TR rapport = m_app.rapport.PersonnesDesLignes();
    if (rapport.Count() == 0) {
      m_calendrier = TCalendrier();
      m_grille->update();
      BoiteMessage(VersQString(m_app.traduction.Msg(701)), kInformation, 0, this);
      return;
    }
    m_calendrier = kindrela::RemplirCalendrier(bd, m_reglages, std::span<const int32_t>(rapport.begin(), rapport.end()));
  } else {
    m_calendrier = kindrela::RemplirCalendrier(bd, m_reglages);
  }
  m_grille->RelitCouleurs();
  m_grille->update();
}

void TfmCal::Survole(int mois, int jour) {
  setWindowTitle(VersQString(LegendeCase(*m_app.bd, m_calendrier, mois, jour, m_app.traduction)));
}

void TfmCal::Clic(int mois, int jour) {
  const TClicCalendrier clic = ClicCase(*m_app.bd, m_calendrier, m_reglages, mois, jour, m_app.traduction);
  if (clic.personne > 0) emit PersonneChoisie(clic.personne);
  else if (!clic.liste.empty()) emit ListeChoisie(clic.liste, clic.titre);
}

bool TfmCal::CalendrierHtml(const std::string& chemin) {
  LitControles();
  const int index = std::clamp(m_app.reglages.Entier(kSectionOptions, "CalNbre"), 0,
                               static_cast<int>(kPartiesCalendrier.size()) - 1);
  const std::string page = kindrela::CalendrierHtml(
      *m_app.bd, m_calendrier, m_reglages, DepuisQString(m_pour->currentText()), DepuisQString(m_eve->currentText()),
      kPartiesCalendrier[static_cast<size_t>(index)], m_app.reglages.Bool(kSectionOptions, "CalWE"), m_app.styleCss);
  if (Statut s = EcritFichierAtomique(chemin, page); !s.ok()) {
    BoiteMessage(VersQString(FormateMsg(m_app.traduction.MsgCle("calendrier_ecriture"), {s.message()})), kErreur, 0,
                 this);
    return false;
  }
  return true;
}

void TfmCal::ExporteNavigateur() {
  QDir().mkpath(VersQString(m_app.dossiers.exportHtml));
  const std::string chemin = m_app.dossiers.exportHtml + "calendrier.htm";
  if (CalendrierHtml(chemin) && m_ouvreur) m_ouvreur(VersQString(chemin));
}

void TfmCal::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The tree may have changed while the window was hidden.
  RemplirCalendrier();
}

void TfmCal::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) emit Cache();
}

}  // namespace kindrela
