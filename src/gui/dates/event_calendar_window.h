// TfmCal, the event calendar "Calendrier": a stay-on-top window painting
// the 12 x 31 days of the year, each marked when an event of the chosen
// kind happened to the chosen persons within the span of years (or, in
// birthday mode, when a living person was born). The pointer over a day
// names its persons in the caption; a click selects the one person or
// makes the report of several. What is marked is decided by the core
// (dates/event_calendar.h).
#pragma once

#include <QWidget>
#include <functional>

#include "dates/event_calendar.h"

class QComboBox;
class QSpinBox;
class QToolButton;

namespace kindrela {

struct TApplication;
class TGrilleCalendrier;

class TfmCal : public QWidget {
  Q_OBJECT
 public:
  explicit TfmCal(TApplication& app, QWidget* parent = nullptr);

  // Fills the table from the window's settings and repaints. "Individus du
  // rapport" without report persons shows message 701 and marks nothing.
  void RemplirCalendrier();
  // Writes the web page to `chemin`; false (said to the user) when it cannot.
  bool CalendrierHtml(const std::string& chemin);
  // The web page in the export folder, opened in the browser.
  void ExporteNavigateur();

  // Mode of the window: events, or the birthdays of the living.
  void SetAnniversaires(bool anniversaires);
  bool Anniversaires() const { return m_reglages.anniversaires; }
  const TReglagesCalendrier& Reglages() const { return m_reglages; }
  const TCalendrier& Calendrier() const { return m_calendrier; }

  // Pointer and click on day/month (the grid calls them; tests too).
  void Survole(int mois, int jour);
  void Clic(int mois, int jour);

  using Ouvreur = std::function<bool(const QString& chemin)>;
  void SetOuvreur(Ouvreur o) { m_ouvreur = std::move(o); }

 signals:
  // A day of one entry: that person becomes the selected one.
  void PersonneChoisie(int personne);
  // A day of several entries: they become the report, captioned `titre`.
  void ListeChoisie(const std::vector<int32_t>& liste, const std::string& titre);
  // The window was hidden by its user.
  void Cache();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void RempliEvenements();
  void LitControles();

  TApplication& m_app;
  TReglagesCalendrier m_reglages;
  TCalendrier m_calendrier;
  Ouvreur m_ouvreur;
  TGrilleCalendrier* m_grille = nullptr;
  QToolButton* m_evenements = nullptr;
  QToolButton* m_anniversaires = nullptr;
  QComboBox* m_pour = nullptr;
  QComboBox* m_eve = nullptr;
  QSpinBox* m_deb = nullptr;
  QSpinBox* m_fin = nullptr;
  bool m_remplissage = false;  // controls being filled: their signals do nothing
};

}  // namespace kindrela
