// "Supprimer une ou plusieurs fiche(s)" (`TfmSupprime`): builds a selection
// from kinship rules around one person, counts what will go, lists it in
// the report window, and deletes it (or keeps only it). Shown without
// blocking the main window; the main window keeps at most one.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "chart/kinship.h"
#include "editing/deletion.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kindrela {

struct TApplication;

class TfmSupprime : public QDialog {
  Q_OBJECT
 public:
  struct Actions {
    std::function<int()> selection;        // the main window's selected person
    std::function<void()> avant;           // before anything is deleted: commit what is typed
    std::function<void(int selection)> apres;  // after: select, redisplay, redraw
    std::function<void(TR liste, const std::string& titre)> montreListe;  // in the report window
  };
  // The selection is built around person `p`.
  TfmSupprime(TApplication& app, int p, Actions actions, QWidget* parent = nullptr);

  // Rebuilds the selection and the count (every change of a control while
  // counting is on).
  void Compte();
  void CompteListe();
  // B_Ok: deletes, then closes.
  void Supprime();
  int Personne() const { return m_personne; }
  const std::vector<uint8_t>& Marques() const { return m_marques; }

 private:
  CriteresSuppression Criteres() const;
  void Change();
  void AfficheListe();

  TApplication& m_app;
  int m_personne;
  Actions m_actions;
  std::vector<uint8_t> m_marques;
  bool m_ecrit = false;  // the controls are being set: their signals do nothing

  QLabel* L_Nom = nullptr;
  QCheckBox *CB_Pers = nullptr, *CB_Pere = nullptr, *CB_Mere = nullptr, *CB_Conj = nullptr,
            *CB_Fatrie = nullptr, *CB_Enfant = nullptr;
  QCheckBox* CB_Asc = nullptr;
  QSpinBox* eAscGen = nullptr;
  QCheckBox *cbAscFratrie = nullptr, *cbAscFratrieDes = nullptr, *cbAscConj = nullptr,
            *cbAscConjAsc = nullptr;
  QSpinBox* eAscConjAsc = nullptr;
  QCheckBox* CB_Des = nullptr;
  QSpinBox* eDesGen = nullptr;
  QCheckBox *cbDesConj = nullptr, *cbDesConjAsc = nullptr;
  QSpinBox* eDesConjAsc = nullptr;
  QCheckBox* cbAge = nullptr;
  QSpinBox* eAge = nullptr;
  QCheckBox* cbRapport = nullptr;
  QRadioButton *rbSupprimer = nullptr, *rbConserver = nullptr;
  QCheckBox* cbCalculer = nullptr;
  QPushButton* sbListe = nullptr;
  QPushButton* B_Ok = nullptr;
  QPushButton* B_Annuler = nullptr;
};

}  // namespace kindrela
