// "Fiche sous forme d'arbre": the selected person's close family as lists
// around it: father and mother above, siblings, the person and the
// spouses in the middle, the children and the chosen spouse's parents
// below.
#pragma once

#include <QWidget>

#include "chart/kinship.h"

class QListWidget;

namespace kindrela {

struct TApplication;

class TfmFicheArbre : public QWidget {
  Q_OBJECT
 public:
  explicit TfmFicheArbre(TApplication& app, QWidget* parent = nullptr);
  // Shows the family of person n.
  void Affiche(int n);
  int Personne() const { return m_personne; }

 signals:
  // Make n the selected person.
  void PersonneChoisie(int n);
  // The window was hidden (its button on the main window is released).
  void Cachee();

 protected:
  void hideEvent(QHideEvent* evenement) override;

 private:
  QListWidget* Liste(const char* nom);
  void Resume(QListWidget* liste, int p);
  void ParentsDuConjoint();

  TApplication& m_app;
  int m_personne = 0;
  TR m_fratrie{0};
  TR m_conjoints{0};
  TR m_enfants{0};
  int m_parentsConjoint[2] = {0, 0};
  QListWidget* m_pere = nullptr;
  QListWidget* m_mere = nullptr;
  QListWidget* m_reference = nullptr;
  QListWidget* m_fratrieListe = nullptr;
  QListWidget* m_conjointsListe = nullptr;
  QListWidget* m_parentsConjointListe = nullptr;
  QListWidget* m_enfantsListe = nullptr;
};

}  // namespace kindrela
