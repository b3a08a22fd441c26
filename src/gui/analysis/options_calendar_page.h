// The options window's calendar page (the week-ends of the event calendar,
// the parts of its web page) and anniversaries page (what the reminder
// lists, how many days ahead, whether it shows when the session opens, and
// the two buttons that write the reminder file).
#pragma once

#include <QWidget>

#include "dates/anniversaries.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace kindrela {

struct TApplication;
class TReglages;

class TPageOptionsCalendrier : public QWidget {
  Q_OBJECT
 public:
  explicit TPageOptionsCalendrier(const TReglages& reglages, QWidget* parent = nullptr);
  void Applique(TReglages& reglages) const;

 private:
  QCheckBox* m_weekEnd = nullptr;
  QComboBox* m_parties = nullptr;
};

class TPageOptionsAnniversaires : public QWidget {
  Q_OBJECT
 public:
  explicit TPageOptionsAnniversaires(TApplication& app, QWidget* parent = nullptr);
  // The settings; the start-up entry is written or removed as cbAFDemarre says.
  void Applique(TReglages& reglages) const;
  // The choices as they stand on the page.
  TOptionsRappels Options() const;

 public slots:
  // "Tout le monde": the reminder of every person; "Selon rapport": of the
  // report's persons (a message when there are none).
  void ToutLeMonde();
  void SelonRapport();

 private:
  void Sauve(std::span<const int32_t> personnes);

  TApplication& m_app;
  QCheckBox* m_anni = nullptr;
  QCheckBox* m_fete = nullptr;
  QCheckBox* m_jour = nullptr;
  QSpinBox* m_nbreJour = nullptr;
  QCheckBox* m_demarre = nullptr;
};

}  // namespace kindrela
