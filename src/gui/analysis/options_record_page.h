// The options window's page of the record window and of person entry:
// capitals in names, the assisted entry, the postcode program, the texts
// that name persons in the record, and what happens when persons are added.
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace kindrela {

class TReglages;

class TPageOptionsFiche : public QWidget {
  Q_OBJECT
 public:
  // Every control from the settings.
  explicit TPageOptionsFiche(const TReglages& reglages, QWidget* parent = nullptr);
  // Every control back into the settings.
  void Applique(TReglages& reglages) const;

 private:
  QCheckBox* m_nomMaj = nullptr;
  QCheckBox* m_preMaj = nullptr;
  QCheckBox* m_saisieNom = nullptr;
  QSpinBox* m_saisieNomNbre = nullptr;
  QComboBox* m_saisieLieu = nullptr;
  QCheckBox* m_saisieChp = nullptr;
  QSpinBox* m_saisieChpNbre = nullptr;
  QCheckBox* m_lokaro = nullptr;
  QLineEdit* m_ficheTitre = nullptr;
  QLineEdit* m_fiche1 = nullptr;
  QLineEdit* m_fiche2 = nullptr;
  QCheckBox* m_ajoutePers = nullptr;
  QCheckBox* m_lienAuto = nullptr;
  QCheckBox* m_ajouteEve = nullptr;
};

}  // namespace kindrela
