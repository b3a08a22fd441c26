// A plain chooser of one person by name, for the source windows: a filter
// box over the list of short names. The person search window replaces it
// where it exists.
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace kindrela {

class TBD;

class TChoixPersonne : public QDialog {
  Q_OBJECT
 public:
  TChoixPersonne(const TBD& bd, const QString& titre, QWidget* parent = nullptr);
  // The chosen person, 0 when none.
  int Personne() const;
  void Filtre(const QString& texte);

 private:
  const TBD& m_bd;
  QLineEdit* m_filtre;
  QListWidget* m_liste;
};

// Shows the chooser modally; the chosen person or 0.
int ChoisitPersonne(QWidget* parent, const TBD& bd, const QString& titre);

}  // namespace kindrela
