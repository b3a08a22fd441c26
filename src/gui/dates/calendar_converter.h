// The calendar converter "Calendrier": one day shown at once as a
// Gregorian date, a Julian day number and a French Republican date, each
// recomputed whenever another is edited.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;

namespace kindrela {

struct VuesCalendrier;

class TfmCalConv : public QDialog {
  Q_OBJECT
 public:
  // `date` in stored order ("d/m/y").
  explicit TfmCalConv(const std::string& date, QWidget* parent = nullptr);
  std::string Gregorien() const;

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  void DepuisGregorien();
  void DepuisJulien();
  void DepuisRepublicain();
  void Montre(const VuesCalendrier& vues, bool gregorien, bool julien);

  QLineEdit* m_greg = nullptr;
  QLineEdit* m_jul = nullptr;
  QComboBox* m_repJ = nullptr;
  QComboBox* m_repM = nullptr;
  QComboBox* m_repA = nullptr;
  QLabel* m_sem = nullptr;
  bool m_calcul = false;  // one view is being updated: the others do not answer
};

// Opens the converter on `date` (stored order); "&OK" gives the Gregorian
// field's text, "&Annuler" the date unchanged.
std::string ConvertirCalendrier(QWidget* owner, const std::string& date);

}  // namespace kindrela
