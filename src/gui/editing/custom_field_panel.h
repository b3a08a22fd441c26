// The custom-field panel of the record window: a scroll box with a column
// of labels and a column of editors, one row per field, and the yes/no
// control of the "r" fields.
#pragma once

#include <QScrollArea>
#include <QWidget>
#include <string>
#include <vector>

#include "editing/custom_fields.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSplitter;
class QVBoxLayout;

namespace kindrela {

// Three radio buttons "Oui", "Non", "Nul"; the value is "Oui", "Non" or
// empty.
class TRButton : public QWidget {
  Q_OBJECT
 public:
  explicit TRButton(QWidget* parent = nullptr);
  std::string Valeur() const;
  // "Oui" or "Non" (without regard to case) check their button; anything
  // else checks "Nul". Emits no signal.
  void SetValeur(const std::string& valeur);

 signals:
  void Change();

 private:
  QRadioButton* m_oui;
  QRadioButton* m_non;
  QRadioButton* m_nul;
};

// The panel. `Champ` gives the person's field text built from the editors
// (only the fields with a value); `SetChamp` lays `ChampDef` and the
// person's triples out again (FusionneChamps).
class TChamp : public QScrollArea {
  Q_OBJECT
 public:
  explicit TChamp(QWidget* parent = nullptr);

  void SetChampDef(const std::string& definitions) { m_definitions = definitions; }
  const std::string& ChampDef() const { return m_definitions; }
  // Rebuilds the rows; emits nothing.
  void SetChamp(const std::string& champ);
  std::string Champ() const;
  // A new empty field at the end; its editor takes the focus.
  void AjouteChamp(const std::string& sorte, const std::string& libelle);

  // Width of the label column; the user can drag it.
  int Split() const;
  void SetSplit(int largeur);
  // Height the rows take.
  int Hauteur() const;
  int NbreChamps() const { return static_cast<int>(m_lignes.size()); }
  // The editor of field i (0-based): a QLineEdit, a QPlainTextEdit or a TRButton.
  QWidget* Editeur(int i) const;
  // The field kind and label of an editor of the panel; empty when it is not one.
  std::string SorteDe(const QWidget* editeur) const;
  std::string LibelleDe(const QWidget* editeur) const;
  // The button under the last row ("Ajouter un nouveau champ...").
  QPushButton* BoutonAjout() const { return m_ajout; }

 signals:
  // A value changed (the user typed or chose): the field's kind, label and value.
  void ChampChange(const QString& sorte, const QString& libelle, const QString& texte);
  // Focus left a date or place editor.
  void DateExit(QLineEdit* editeur);
  void LieuExit(QLineEdit* editeur);

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  struct Ligne {
    TChp::Champ champ;
    QLabel* etiquette = nullptr;
    QWidget* editeur = nullptr;
  };
  static constexpr int kSplitDefaut = 80;
  static constexpr int kSplitMax = 220;
  void AjusteSplit();
  void AjouteLigne(TChp::Champ champ);
  void EditeurChange(QWidget* editeur);
  std::string ValeurDe(const Ligne& ligne) const;
  const Ligne* LigneDe(const QWidget* editeur) const;

  std::string m_definitions;
  std::vector<Ligne> m_lignes;
  QWidget* m_contenu = nullptr;
  QSplitter* m_colonnes = nullptr;
  QVBoxLayout* m_etiquettes = nullptr;
  QVBoxLayout* m_editeurs = nullptr;
  QPushButton* m_ajout = nullptr;
  int m_split = kSplitDefaut;
  bool m_splitChoisi = false;  // the user dragged the column
  bool m_remplissage = false;
};

}  // namespace kindrela
