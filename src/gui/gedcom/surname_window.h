// The surname comparison tool: the surnames of two GEDCOM files (or of two
// saved surname lists), side by side, and the ones they have in common,
// exactly or by their phonetic key.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

#include "gedcom/surnames.h"

class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace kindrela {

struct TApplication;

class TfmGedPatro : public QDialog {
  Q_OBJECT
 public:
  explicit TfmGedPatro(TApplication& app, QWidget* parent = nullptr);

  // Side 0 is the first file, side 1 the second.
  const ListePatronymes& Liste(int cote) const { return m_listes[cote]; }
  // The lines each list shows, and the comparison's result.
  QStringList Lignes(int cote) const;
  QStringList Resultat() const;
  QString TexteBouton(int cote) const;
  QString TexteComparaison() const;
  bool Phonetique() const;
  void SetPhonetique(bool phonetique);

  // The side menus' actions once the file is known. Each reports its own
  // errors with a message box and returns false then; a GEDCOM read the user
  // stopped (Escape) leaves the side as it was and returns false quietly.
  bool ImporteGedcom(int cote, const QString& chemin);
  bool ChargeListe(int cote, const QString& chemin);
  bool SauveListe(int cote, const QString& chemin);
  // One occurrence of `nom`, upper-cased; a blank name does nothing.
  void AjoutePatronyme(int cote, const QString& nom);
  void VideListe(int cote);
  // Fills the result list; the "Comparaison" button then tells the count.
  void Compare(ModeComparaison mode);
  bool SauveResultat(const QString& chemin);

  // True while a GEDCOM file is being read.
  bool LectureEnCours() const { return m_enCours; }

 public slots:
  // While a file is being read, Escape stops the reading instead of closing.
  void reject() override;

 private:
  QMenu* MenuCote(int cote);
  QString DemandeFichier(const QString& filtre);
  QString DemandeSauvegarde();
  void DemandeAjouts(int cote);
  // Sorts a side by the key the "Phonétique" toggle chooses and shows it.
  void TrieEtAffiche(int cote);
  void Occupe(bool occupe);

  TApplication& m_app;
  std::array<ListePatronymes, 2> m_listes;
  std::array<QToolButton*, 2> m_boutons{};
  std::array<QListWidget*, 2> m_vues{};
  QToolButton* m_phonetique = nullptr;
  QToolButton* m_comparaison = nullptr;
  QListWidget* m_resultat = nullptr;
  QProgressBar* m_progression = nullptr;
  QPushButton* m_fermer = nullptr;
  bool m_enCours = false;
  bool m_arret = false;
};

// Shows the comparison tool (modal).
void AfficheComparaisonPatronymes(QWidget* parent, TApplication& app);

}  // namespace kindrela
