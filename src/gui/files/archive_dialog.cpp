#include "gui/files/archive_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <initializer_list>

#include "core/ansi_literal.h"
#include "gui/main/application.h"
#include "gui/common/message_box.h"
#include "core/file_io.h"
#include "core/text.h"
#include "gui/common/qt_text.h"
#include "gui/i18n/translate_window.h"

namespace kindrela {
namespace {

constexpr int kMsgRemplacerUn = 609;
constexpr int kMsgRemplacerPlusieurs = 650;
constexpr int kMsgAucunArbre = 651;
constexpr int kMsgDossier = 652;

QString T(const char* ansi) { return VersQString(ansi); }

// A message with each "%s" receiving the next value and "%%" giving "%".
std::string Remplit(const std::string& modele, std::initializer_list<std::string> valeurs) {
  std::string sortie;
  auto valeur = valeurs.begin();
  for (std::size_t i = 0; i < modele.size(); ++i) {
    if (modele[i] == '%' && i + 1 < modele.size()) {
      if (modele[i + 1] == 's') {
        if (valeur != valeurs.end()) sortie += *valeur++;
        ++i;
        continue;
      }
      if (modele[i + 1] == '%') {
        sortie += '%';
        ++i;
        continue;
      }
    }
    sortie += modele[i];
  }
  return sortie;
}

QString TexteMessage(const std::string& ansi) {
  QString q = VersQString(ansi);
  q.replace("\r\n", "\n");
  return q;
}

QString Taille(long long octets) {
  if (octets < 1024) return QString::number(octets) + " o";
  if (octets < 1024 * 1024) return QString::number((octets + 1023) / 1024) + " Ko";
  return QString::number(static_cast<double>(octets) / (1024.0 * 1024.0), 'f', 1) + " Mo";
}

}  // namespace

std::string DossierExtraction(const TApplication& app, const std::string& cheminZip) {
  std::string dossier = DossierDe(cheminZip);
  QFileInfo info(VersQString(dossier.empty() ? std::string(".") : dossier));
  if (info.isDir() && info.isWritable()) return dossier;
  return app.dossiers.mesArbres + NomDe(ChangeExtension(cheminZip, "")) + "/";
}

bool EntreeOuvrable(const std::string& nom) {
  if (nom.empty() || nom.back() == '/') return false;
  const std::string n = NomDe(nom);
  const std::size_t point = n.find_last_of('.');
  if (point == std::string::npos) return false;
  const std::string extension = MajusculesAnsi(n.substr(point));
  return extension == ".KDG" || extension == ".GED";
}

TfmArchive::TfmArchive(const TApplication& app, const std::string& cheminZip, QWidget* parent)
    : QDialog(parent), m_app(app), m_zip(cheminZip), m_dossier(DossierExtraction(app, cheminZip)) {
  setObjectName("fmArchive");
  setWindowTitle(T("Contenu de l'archive"));
  setModal(true);
  auto* l = new QVBoxLayout(this);
  auto* archive = new QLabel(VersQString(NomDe(m_zip)), this);
  archive->setObjectName("L_Archive");
  QFont gras = archive->font();
  gras.setBold(true);
  archive->setFont(gras);
  l->addWidget(archive);
  m_liste = new QTreeWidget(this);
  m_liste->setObjectName("lvArchive");
  m_liste->setRootIsDecorated(false);
  m_liste->setHeaderLabels({T("Nom"), T("Taille")});
  m_liste->header()->setStretchLastSection(false);
  m_liste->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  m_liste->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  m_liste->setMinimumSize(420, 200);
  l->addWidget(m_liste, 1);
  m_etiquetteDossier = new QLabel(
      VersQString(Remplit(m_app.traduction.Msg(kMsgDossier), {m_dossier})), this);
  m_etiquetteDossier->setObjectName("L_Dossier");
  m_etiquetteDossier->setWordWrap(true);
  l->addWidget(m_etiquetteDossier);

  auto* boutons = new QDialogButtonBox(this);
  m_extraire = new QPushButton(T("Extraire"), this);
  m_extraire->setObjectName("bExtraire");
  m_extraire->setDefault(true);
  m_toutExtraire = new QPushButton(T("Tout extraire"), this);
  m_toutExtraire->setObjectName("bToutExtraire");
  m_toutExtraire->setAutoDefault(false);
  m_annuler = new QPushButton(T("Annuler"), this);
  m_annuler->setObjectName("bAnnule");
  m_annuler->setAutoDefault(false);
  boutons->addButton(m_extraire, QDialogButtonBox::AcceptRole);
  boutons->addButton(m_toutExtraire, QDialogButtonBox::ActionRole);
  boutons->addButton(m_annuler, QDialogButtonBox::RejectRole);
  l->addWidget(boutons);
  connect(m_extraire, &QPushButton::clicked, this, &TfmArchive::Extraire);
  connect(m_toutExtraire, &QPushButton::clicked, this, &TfmArchive::ToutExtraire);
  connect(m_annuler, &QPushButton::clicked, this, &TfmArchive::reject);
  connect(m_liste, &QTreeWidget::itemSelectionChanged, this, &TfmArchive::SuitSelection);
  connect(m_liste, &QTreeWidget::itemActivated, this, [this] {
    if (m_extraire->isEnabled()) Extraire();
  });
  TraduitFenetre(this, m_app.traduction);
}

bool TfmArchive::Prepare(std::string& erreur) {
  m_aOuvrir.clear();
  m_liste->clear();
  m_entrees.clear();
  if (Statut s = ListeArchive(m_zip, m_entrees); !s) {
    erreur = s.message();
    return false;
  }
  // Folder entries are made as their files are extracted: not listed.
  QTreeWidgetItem* premierArbre = nullptr;
  for (std::size_t i = 0; i < m_entrees.size(); ++i) {
    if (m_entrees[i].dossier) continue;
    auto* item = new QTreeWidgetItem(m_liste, {VersQString(m_entrees[i].nom), Taille(m_entrees[i].taille)});
    item->setData(0, Qt::UserRole, static_cast<int>(i));
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    if (!premierArbre && EntreeOuvrable(m_entrees[i].nom)) premierArbre = item;
  }
  if (premierArbre) m_liste->setCurrentItem(premierArbre);
  m_toutExtraire->setEnabled(m_liste->topLevelItemCount() > 0);
  SuitSelection();
  m_liste->setFocus();
  return true;
}

int TfmArchive::Selection() const {
  QTreeWidgetItem* item = m_liste->currentItem();
  if (!item || !item->isSelected()) return -1;
  return item->data(0, Qt::UserRole).toInt();
}

void TfmArchive::SuitSelection() {
  int n = Selection();
  m_extraire->setEnabled(n >= 0 && EntreeOuvrable(m_entrees[n].nom));
}

bool TfmArchive::PrepareDossier() {
  if (QDir().mkpath(VersQString(m_dossier))) return true;
  Erreur("Le dossier " + m_dossier + " ne peut pas être créé."_ansi);
  return false;
}

bool TfmArchive::AccepteRemplacement(const std::vector<std::string>& noms) {
  std::vector<std::string> existants;
  for (const auto& nom : noms)
    if (FichierExiste(m_dossier + nom)) existants.push_back(nom);
  if (existants.empty()) return true;
  const TTraduction& t = m_app.traduction;
  std::string question =
      existants.size() == 1
          ? Remplit(t.Msg(kMsgRemplacerUn), {m_dossier + existants[0]})
          : Remplit(t.Msg(kMsgRemplacerPlusieurs), {std::to_string(existants.size()), m_dossier});
  return BoiteMessage(TexteMessage(question), kQuestion, kBoutonOui | kBoutonNon, this) == kResultatOui;
}

void TfmArchive::Erreur(const std::string& message) {
  BoiteMessage(TexteMessage(message), kErreur, 0, this);
}

void TfmArchive::Extraire() {
  const int n = Selection();
  if (n < 0 || !EntreeOuvrable(m_entrees[n].nom)) return;
  const std::string& nom = m_entrees[n].nom;
  if (!PrepareDossier() || !AccepteRemplacement({nom})) return;
  std::string ecrit;
  if (Statut s = ExtraitEntree(m_zip, nom, m_dossier, &ecrit); !s) {
    Erreur(s.message());
    return;
  }
  m_aOuvrir = ecrit;
  accept();
}

void TfmArchive::ToutExtraire() {
  if (m_liste->topLevelItemCount() == 0) return;
  std::vector<std::string> noms;
  for (const auto& e : m_entrees)
    if (!e.dossier) noms.push_back(e.nom);
  if (!PrepareDossier() || !AccepteRemplacement(noms)) return;
  std::vector<std::string> ecrits;
  if (Statut s = ExtraitTout(m_zip, m_dossier, &ecrits); !s) {
    Erreur(s.message());
    return;
  }
  // The selected tree, else the archive's first one.
  int choisi = Selection();
  if (choisi < 0 || !EntreeOuvrable(m_entrees[choisi].nom)) {
    choisi = -1;
    for (std::size_t i = 0; i < m_entrees.size() && choisi < 0; ++i)
      if (EntreeOuvrable(m_entrees[i].nom)) choisi = static_cast<int>(i);
  }
  if (choisi < 0) {
    BoiteMessage(TexteMessage(m_app.traduction.Msg(kMsgAucunArbre)), kInformation, 0, this);
    m_aOuvrir.clear();
  } else {
    // ExtraitTout writes the entries in archive order, one path each.
    const auto k = static_cast<std::size_t>(choisi);
    m_aOuvrir = k < ecrits.size() ? ecrits[k] : m_dossier + m_entrees[k].nom;
  }
  accept();
}

std::string DialogueArchive(QWidget* parent, const TApplication& app, const std::string& cheminZip) {
  TfmArchive fenetre(app, cheminZip, parent);
  std::string erreur;
  if (!fenetre.Prepare(erreur)) {
    BoiteMessage(TexteMessage(erreur), kErreur, 0, parent);
    return {};
  }
  if (fenetre.exec() != QDialog::Accepted) return {};
  return fenetre.AOuvrir();
}

}  // namespace kindrela
