// The tag editor (fmEdite): builds a tag from a choice of person and field,
// appends it to a line's template and shows, as the user types, what the
// whole line gives for the selected person.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace kindrela {

struct TApplication;

class TfmEdite : public QDialog {
  Q_OBJECT
 public:
  // `personne`: the person the expansion is shown for (0: none).
  TfmEdite(TApplication& app, int personne, const QString& texte, QWidget* parent = nullptr);

  QString Texte() const;
  // The tag the current choices build (empty when the choice lacks a name).
  QString Balise() const;
  // "&Ajouter": the tag and a blank appended to the text.
  void Ajoute();

 private:
  void ChangeChamp();
  void MontreApercu();

  TApplication& m_app;
  int m_personne;
  QComboBox* m_qui;
  QSpinBox* m_numero;
  QLabel* m_aideNumero;
  QComboBox* m_champ;
  QComboBox* m_detail;
  QComboBox* m_mot;
  QLineEdit* m_texte;
  QLabel* m_balise;
  QLabel* m_apercu;
};

}  // namespace kindrela
