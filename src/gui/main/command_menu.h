// The left command menu: titled sections of commands, each command carrying
// its number. Its look (colours, fonts, pictures) comes from the skin's
// "skin.txt", section [Menu].
#pragma once

#include <QWidget>
#include <map>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace kindrela {

class TMenuCommandes : public QWidget {
  Q_OBJECT
 public:
  // `dossierSkin` (Windows-1252, ends with "/") holds skin.txt and its pictures.
  TMenuCommandes(const std::string& dossierSkin, QWidget* parent = nullptr);

  // A new section; its commands follow until the next section.
  void AjouteSection(const QString& cle, const QString& titre);
  // A command of the current section; object name "mi" + number.
  QPushButton* AjouteCommande(int numero, const QString& texte);
  void FinSections();

  void MontreSection(const QString& cle, bool visible);
  bool SectionVisible(const QString& cle) const;
  void ActiveCommande(int numero, bool actif);
  QPushButton* Commande(int numero) const;

 signals:
  void CommandeChoisie(int numero);

 private:
  struct Section {
    QLabel* titre = nullptr;
    std::vector<QPushButton*> commandes;
  };
  QVBoxLayout* m_colonne;
  std::map<QString, Section> m_sections;
  QString m_courante;
  std::map<int, QPushButton*> m_commandes;
  QString m_styleTitre;
  QString m_styleCommande;
  int m_hauteurLigne = 20;
};

}  // namespace kindrela
