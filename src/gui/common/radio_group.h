// A framed group of exclusive choices whose items are a list of texts, so
// that windows and their translation can address item n directly.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QVBoxLayout;

namespace kindrela {

class TRadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  explicit TRadioGroup(QWidget* parent = nullptr);

  QStringList items() const { return m_items; }
  void setItems(const QStringList& items);
  int count() const { return static_cast<int>(m_items.size()); }
  // Replaces item n, or appends it when n == count().
  void setItem(int n, const QString& texte);

  // -1 when nothing is chosen.
  int itemIndex() const;
  void setItemIndex(int n);

 signals:
  void itemIndexChanged(int n);

 private:
  void Reconstruit();
  QStringList m_items;
  QButtonGroup* m_groupe;
  QVBoxLayout* m_disposition;
};

}  // namespace kindrela
