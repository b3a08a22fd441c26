#include "gui/common/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kindrela {

TRadioGroup::TRadioGroup(QWidget* parent)
    : QGroupBox(parent), m_groupe(new QButtonGroup(this)), m_disposition(new QVBoxLayout(this)) {
  connect(m_groupe, &QButtonGroup::idClicked, this, &TRadioGroup::itemIndexChanged);
}

void TRadioGroup::setItems(const QStringList& items) {
  m_items = items;
  Reconstruit();
}

void TRadioGroup::setItem(int n, const QString& texte) {
  if (n < 0 || n > count()) return;
  if (n == count()) {
    m_items.append(texte);
    Reconstruit();
  } else {
    m_items[n] = texte;
    if (auto* b = m_groupe->button(n)) b->setText(texte);
  }
}

int TRadioGroup::itemIndex() const { return m_groupe->checkedId(); }

void TRadioGroup::setItemIndex(int n) {
  if (auto* b = m_groupe->button(n)) b->setChecked(true);
}

void TRadioGroup::Reconstruit() {
  int choisi = itemIndex();
  for (auto* b : m_groupe->buttons()) {
    m_groupe->removeButton(b);
    delete b;
  }
  for (int i = 0; i < count(); ++i) {
    auto* b = new QRadioButton(m_items[i], this);
    b->setObjectName(QStringLiteral("%1_%2").arg(objectName()).arg(i));
    m_groupe->addButton(b, i);
    m_disposition->addWidget(b);
  }
  setItemIndex(choisi);
}

}  // namespace kindrela
