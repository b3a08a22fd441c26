// The small modal dialogs that change single chart settings: arrangement,
// gaps, box width, generations, zoom and the printed page. Each Edite*
// function shows its dialog and returns true when the user pressed "Ok";
// the records it was given then hold the new values. Dialogs that apply
// changes as they are made ("live") call the given action each time, and
// on "Annuler" put the values back as they were at opening (calling the
// action once more when something had been applied).
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "chart/looks.h"

class QAbstractButton;
class QCheckBox;
class QRadioButton;
class QSlider;
class QSpinBox;

namespace kindrela {

class TTraduction;

// What the dialogs ask the chart to do. An empty function is skipped.
struct TActionsArbre {
  std::function<void()> reconstruit;   // rebuild the chart (new arrangement, gaps, width)
  std::function<void()> repositionne;  // place the boxes again at the new zoom
  std::function<void()> zoomAuto;      // fit the chart to the window (sets both zooms)
  std::function<void()> decaleZero;    // move the chart to the print margins
};

// The chart's two flags of the arrangement dialog.
struct TDrapeauxArbre {
  bool afficheConjoint = false;  // "Le dernier conjoint"
  bool afficheFratrie = false;   // "La fratrie"
};

// The print settings of the page dialog.
struct TReglagesPage {
  int printZoom = 100;        // percent; shown divided by 10
  int printCroise = 0;        // page overlap, 0 to 49
  int printMargeH = 0;        // top margin; the dialog sets both margins
  int printMargeG = 0;        // left margin
  bool printZoomAuto = true;  // "all on one page": automatic print zoom
  int methode = 0;            // 0 direct, 1 bitmap, 2 safe mode
  bool garderApercu = false;  // keep the page grid shown while printing
  friend bool operator==(const TReglagesPage&, const TReglagesPage&) = default;
};

// Arrangement ("fmApparence"): the ancestor buttons set aff1.Style (1 to 5,
// 0 when none is pressed), the descendant buttons aff2.Style (1 to 3, 0).
// Every click re-applies the enabling rules, stores the styles and flags,
// and rebuilds.
class TFenetreApparence : public QDialog {
  Q_OBJECT
 public:
  TFenetreApparence(const TTraduction& trad, T1Aff& aff1, T1Aff& aff2, TDrapeauxArbre& drapeaux,
                    TActionsArbre actions, QWidget* parent = nullptr);
  void done(int r) override;

  // Ancestor button of style s (1..5), descendant button of style s (1..3).
  QAbstractButton* BoutonAsc(int s) const { return m_asc[s - 1]; }
  QAbstractButton* BoutonDesc(int s) const { return m_desc[s - 1]; }
  QCheckBox* CaseConjoint() const { return m_conjoint; }
  QCheckBox* CaseFratrie() const { return m_fratrie; }

 private:
  void Clic(QAbstractButton* bouton);
  void AppliqueRegles();
  void Stocke();

  T1Aff& m_aff1;
  T1Aff& m_aff2;
  TDrapeauxArbre& m_drapeaux;
  TActionsArbre m_actions;
  std::uint8_t m_style1, m_style2;
  TDrapeauxArbre m_drapeauxAvant;
  bool m_change = false;
  std::array<QAbstractButton*, 5> m_asc{};
  std::array<QAbstractButton*, 3> m_desc{};
  QCheckBox* m_conjoint;
  QCheckBox* m_fratrie;
};

// Gaps ("fmEcart"): horizontal and vertical gaps, 0 to 300 percent, of
// half 1, half 2 or both.
class TFenetreEcart : public QDialog {
  Q_OBJECT
 public:
  TFenetreEcart(const TTraduction& trad, T1Aff& aff1, T1Aff& aff2, TActionsArbre actions,
                QWidget* parent = nullptr);
  void done(int r) override;

  QRadioButton* Choix(int n) const { return m_choix[n]; }  // 0 ancestors, 1 descendants, 2 both
  QSpinBox* SpinHorz() const { return m_horz; }
  QSpinBox* SpinVert() const { return m_vert; }
  QSlider* BarreHorz() const { return m_barreHorz; }
  QSlider* BarreVert() const { return m_barreVert; }
  QCheckBox* CaseDirect() const { return m_direct; }

 private:
  void MontreMoitie();
  void Applique();

  T1Aff& m_aff1;
  T1Aff& m_aff2;
  TActionsArbre m_actions;
  T1Aff m_avant1, m_avant2;
  bool m_change = false;
  bool m_chargement = false;
  std::array<QRadioButton*, 3> m_choix{};
  QSpinBox* m_horz;
  QSpinBox* m_vert;
  QSlider* m_barreHorz;
  QSlider* m_barreVert;
  QCheckBox* m_direct;
};

// Box width ("fmLargeur"): Large of both halves, 1 to 1000.
class TFenetreLargeur : public QDialog {
  Q_OBJECT
 public:
  TFenetreLargeur(const TTraduction& trad, T1Aff& aff1, T1Aff& aff2, TActionsArbre actions,
                  QWidget* parent = nullptr);
  void done(int r) override;

  QSpinBox* SpinLarge(int moitie) const { return moitie == 2 ? m_large2 : m_large1; }
  QSlider* BarreLarge(int moitie) const { return moitie == 2 ? m_barre2 : m_barre1; }
  QCheckBox* CaseDirect() const { return m_direct; }

 private:
  void Applique();

  T1Aff& m_aff1;
  T1Aff& m_aff2;
  TActionsArbre m_actions;
  int m_avant1, m_avant2;
  bool m_change = false;
  QSpinBox* m_large1;
  QSpinBox* m_large2;
  QSlider* m_barre1;
  QSlider* m_barre2;
  QCheckBox* m_direct;
};

// Generations ("fmGeneration"): NbreGen of both halves, 0 to 999, stored on "Ok".
class TFenetreGeneration : public QDialog {
  Q_OBJECT
 public:
  TFenetreGeneration(const TTraduction& trad, T1Aff& aff1, T1Aff& aff2, QWidget* parent = nullptr);
  void done(int r) override;
  QSpinBox* SpinGen(int moitie) const { return moitie == 2 ? m_gen2 : m_gen1; }

 private:
  T1Aff& m_aff1;
  T1Aff& m_aff2;
  QSpinBox* m_gen1;
  QSpinBox* m_gen2;
};

// Zoom ("fmZoom"): one zoom for both halves, 1 to 1000. The automatic zoom
// box sets `zoomAuto`, runs the automatic zoom and disables manual entry;
// "100%" unchecks it and sets 100. Changes reposition the chart.
class TFenetreZoom : public QDialog {
  Q_OBJECT
 public:
  TFenetreZoom(const TTraduction& trad, T1Aff& aff1, T1Aff& aff2, bool& zoomAuto,
               TActionsArbre actions, QWidget* parent = nullptr);
  void done(int r) override;

  QSpinBox* SpinZoom() const { return m_zoom; }
  QSlider* BarreZoom() const { return m_barre; }
  QCheckBox* CaseAuto() const { return m_auto; }
  QAbstractButton* Bouton100() const { return m_cent; }
  QCheckBox* CaseDirect() const { return m_direct; }

 private:
  void Applique();
  void MontreZoom(int z);

  T1Aff& m_aff1;
  T1Aff& m_aff2;
  bool& m_zoomAuto;
  TActionsArbre m_actions;
  int m_avant1, m_avant2;
  bool m_autoAvant;
  bool m_change = false;
  bool m_chargement = false;
  QSpinBox* m_zoom;
  QSlider* m_barre;
  QCheckBox* m_auto;
  QAbstractButton* m_cent;
  QCheckBox* m_direct;
};

// Printed page ("fmZoomPage"): print zoom, overlap, margin, one page,
// method, keep the page grid shown. `applique` receives the settings each
// time they are applied: live only while `grilleVisible` and the live box
// is checked; always on "Ok", followed by actions.decaleZero.
class TFenetreZoomPage : public QDialog {
  Q_OBJECT
 public:
  TFenetreZoomPage(const TTraduction& trad, TReglagesPage& reglages, bool grilleVisible,
                   std::function<void(const TReglagesPage&)> applique, TActionsArbre actions,
                   QWidget* parent = nullptr);
  void done(int r) override;

  QSpinBox* SpinZoom() const { return m_zoom; }
  QSpinBox* SpinCroise() const { return m_croise; }
  QSpinBox* SpinMarge() const { return m_marge; }
  QCheckBox* CaseMemePage() const { return m_memePage; }
  QRadioButton* Methode(int n) const { return m_methode[n]; }
  QCheckBox* CaseApercu() const { return m_apercu; }
  QCheckBox* CaseDirect() const { return m_direct; }

 private:
  TReglagesPage Lit() const;
  void Change();

  TReglagesPage& m_reglages;
  bool m_grille;
  std::function<void(const TReglagesPage&)> m_applique;
  TActionsArbre m_actions;
  TReglagesPage m_avant;
  bool m_change = false;
  bool m_chargement = false;
  QSpinBox* m_zoom;
  QSpinBox* m_croise;
  QSpinBox* m_marge;
  QCheckBox* m_memePage;
  std::array<QRadioButton*, 3> m_methode{};
  QCheckBox* m_apercu;
  QCheckBox* m_direct;
};

// Each shows its dialog modally; true when closed with "Ok".
bool EditeApparence(QWidget* parent, const TTraduction& trad, T1Aff& aff1, T1Aff& aff2,
                    TDrapeauxArbre& drapeaux, TActionsArbre actions);
bool EditeEcart(QWidget* parent, const TTraduction& trad, T1Aff& aff1, T1Aff& aff2,
                TActionsArbre actions);
bool EditeLargeur(QWidget* parent, const TTraduction& trad, T1Aff& aff1, T1Aff& aff2,
                  TActionsArbre actions);
bool EditeGeneration(QWidget* parent, const TTraduction& trad, T1Aff& aff1, T1Aff& aff2);
bool EditeZoom(QWidget* parent, const TTraduction& trad, T1Aff& aff1, T1Aff& aff2, bool& zoomAuto,
               TActionsArbre actions);
bool EditeZoomPage(QWidget* parent, const TTraduction& trad, TReglagesPage& reglages,
                   bool grilleVisible, std::function<void(const TReglagesPage&)> applique,
                   TActionsArbre actions);

}  // namespace kindrela
