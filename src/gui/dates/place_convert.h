// The one-shot conversion of a whole tree's places: the user drags the
// preview grid's columns until each piece of the existing texts sits under
// its field's title, then every event's place is rewritten by ConvertitLieux.
#pragma once

#include <QDialog>
#include <array>

#include "dates/places.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace kindrela {

class TBD;
class TTraduction;

// Modal dialog "fmLieuConvert". Closes with Accepted once every place has
// been converted; with Rejected on "&Ne pas convertir", on Escape, or when
// the user stopped a conversion under way (the places are then put back as
// they were, so that a tree is never left half converted).
class TfmLieuConvert : public QDialog {
  Q_OBJECT
 public:
  TfmLieuConvert(TBD& bd, const TTraduction& trad, QWidget* parent = nullptr);

  // Row of the grid holding the column numbers (after the preview rows).
  int LigneNumeros() const;
  // For each title in its fixed order (country .. other), the number read
  // from the number row under it: the field of the existing texts that goes
  // there. A cell that does not hold a number 1..6 counts as 1.
  std::array<int, kNbreChampsLieu> Colonnes() const;
  // The options the conversion will run with: the columns and both boxes.
  OptionsConversionLieux Options() const;
  // Events whose place changed in the last completed conversion.
  int NbreModifies() const { return m_nbreModifies; }

 public slots:
  // Converts every event's place, then accepts. Does nothing while a
  // conversion is already running.
  void Convertit();
  // While a conversion runs, asks it to stop instead of closing.
  void reject() override;

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  void RempliGrille();
  // Rewrites the titles in visual order after a column moved.
  void TitresEnOrdre();

  TBD& m_bd;
  QTableWidget* m_grille = nullptr;
  QCheckBox* m_normaliser = nullptr;
  QCheckBox* m_france = nullptr;
  QProgressBar* m_progression = nullptr;
  QPushButton* m_convertir = nullptr;
  QPushButton* m_annuler = nullptr;
  OptionsConversionLieux m_proposees;  // what the window starts with
  bool m_enCours = false;
  bool m_arret = false;
  int m_nbreModifies = 0;
};

// Shows the conversion dialog over `bd`. Returns true when the places were
// converted (the conversion ran to its end, even if no text changed), false
// when the user declined or stopped it (the tree is then unchanged).
bool ConversionLieux(QWidget* parent, TBD& bd, const TTraduction& trad);

}  // namespace kindrela
