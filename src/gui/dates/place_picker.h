// The picker of places from the prepared lists of the place-list folder.
#pragma once

#include <QDialog>
#include <QStringList>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QListView;
class QStringListModel;

namespace kindrela {

class TTraduction;

// Modal dialog "fmLieuV3", caption "Liste des lieux". The combo box cbLieu
// lists the folder's lists (first selected); the list lbLieu shows the
// chosen list's places, narrowed by the filter edFiltre: every word typed
// must appear in a line, without regard to case or accents. Clicking a line
// (or moving onto it with the keys) remembers it; Enter or a double click
// accepts it. A missing or empty folder gives an empty picker.
class TfmLieuV3 : public QDialog {
  Q_OBJECT
 public:
  TfmLieuV3(const std::string& dossierLieux, const std::string& lieuActuel, const TTraduction& trad,
            QWidget* parent = nullptr);

  // After OK, the line remembered (the current place given at creation when
  // no line was selected); otherwise that current place.
  std::string Lieu() const;
  // The lines shown at present (after the filter).
  QStringList LignesAffichees() const;

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  void ChargeListe(int index);
  void Filtre();
  void Choisit(const QModelIndex& index);

  std::string m_dossier;
  std::string m_lieuActuel;
  std::vector<std::string> m_noms;
  QStringList m_lignes;  // the whole list, sorted
  QStringList m_cles;    // the same lines folded for the filter
  std::string m_choix;   // the remembered line; the current place when none
  QComboBox* m_listes = nullptr;
  QLineEdit* m_filtre = nullptr;
  QListView* m_vue = nullptr;
  QStringListModel* m_modele = nullptr;
};

// Shows the picker over the lists of `dossierLieux` (the "lieu" folder).
// Returns the chosen line on OK, `lieuActuel` on cancel or when nothing was
// chosen.
std::string ChoixLieu(QWidget* owner, const std::string& dossierLieux, const std::string& lieuActuel,
                      const TTraduction& trad);

}  // namespace kindrela
