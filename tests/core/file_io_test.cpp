// Whole-file reading and writing: what the user reads when the system says no.
#include <gtest/gtest.h>

#include <cerrno>
#include <stdexcept>

#include "core/ansi_literal.h"
#include "core/fault_injection.h"
#include "core/file_io.h"
#include "core/parallel_write.h"
#include "core/system_error.h"
#include "core/text.h"

namespace kindrela {
namespace {

// Every failure names the file and gives the reason in the program's own
// Windows-1252 French, never the C library's English.
TEST(FileIo, FailuresNameTheFileAndTheReasonInFrench) {
  const std::string absent = std::string(::testing::TempDir()) + "/dossier-absent-é/arbre.kdg"_ansi;
  std::string contenu;
  Statut lu = LitFichier(absent, contenu);
  ASSERT_FALSE(lu.ok());
  EXPECT_EQ(lu.message(), "Impossible d'ouvrir le fichier " + absent +
                              " : le fichier ou le dossier n'existe pas");
  Statut ecrit = EcritFichierAtomique(absent, "x");
  ASSERT_FALSE(ecrit.ok());
  EXPECT_EQ(ecrit.message(), "Impossible d'écrire le fichier "_ansi + absent +
                                 " : le fichier ou le dossier n'existe pas");
  // Shown through the text crossing, no letter comes out as two.
  EXPECT_EQ(AnsiVersUtf8(ecrit.message()).find("Ã"), std::string::npos);
  SimuleEchecEcriture(0);
  Statut plein = EcritFichierAtomique(std::string(::testing::TempDir()) + "/plein.txt", "abc");
  EXPECT_NE(plein.message().find("le disque est plein"), std::string::npos) << plein.message();
}

TEST(FileIo, EveryReasonIsFrenchWindows1252Text) {
  for (int code : {EACCES, EROFS, ENOSPC, ENOENT, ENOTDIR, EISDIR, EIO, 9999}) {
    const std::string raison = RaisonSysteme(code);
    EXPECT_FALSE(raison.empty());
    EXPECT_EQ(AnsiVersUtf8(raison).find("Ã"), std::string::npos) << code;
  }
  EXPECT_EQ(RaisonSysteme(EROFS), "le support est en lecture seule");
  EXPECT_EQ(RaisonSysteme(9999), "erreur système 9999"_ansi);
}

// A file read whole by halves arrives byte for byte as LitFichier reads it,
// and fails with the same message.
TEST(FileIo, AFileReadByHalvesIsTheFileReadWhole) {
  const std::string dossier = ::testing::TempDir();
  std::string grand(9u << 20, '\0');
  for (std::size_t i = 0; i < grand.size(); ++i) grand[i] = static_cast<char>(i * 7 + i / 4096);
  ASSERT_TRUE(EcritFichierAtomique(dossier + "/grand.bin", grand).ok());
  ASSERT_TRUE(EcritFichierAtomique(dossier + "/petit.bin", "0 HEAD\r\n").ok());
  for (const std::string nom : {"grand.bin", "petit.bin", "absent.bin", ""}) {
    std::string attendu;
    const Statut lu = LitFichier(dossier + "/" + nom, attendu);
    ContenuFichier contenu;
    const Statut entier = LitFichierEntier(dossier + "/" + nom, contenu);
    EXPECT_EQ(entier.ok(), lu.ok()) << nom;
    EXPECT_EQ(entier.message(), lu.message()) << nom;
    EXPECT_TRUE(contenu.Vue() == attendu) << nom;
  }
}

// Both sides always run to their end; a failure of either comes back to
// the caller, the caller's own first.
TEST(FileIo, SideBySideRunsBothAndReportsTheirFailure) {
  struct Cas {
    bool iciEchoue, ailleursEchoue;
    const char* attendu;  // the message that comes back, empty for none
  };
  for (const Cas& c : {Cas{false, false, ""}, Cas{true, false, "ici"}, Cas{false, true, "ailleurs"},
                       Cas{true, true, "ici"}}) {
    bool iciFini = false, ailleursFini = false;
    std::string vu;
    try {
      CoteACote(
          [&] {
            iciFini = true;
            if (c.iciEchoue) throw std::runtime_error("ici");
          },
          [&] {
            ailleursFini = true;
            if (c.ailleursEchoue) throw std::runtime_error("ailleurs");
          });
    } catch (const std::runtime_error& e) {
      vu = e.what();
    }
    EXPECT_TRUE(iciFini && ailleursFini);
    EXPECT_EQ(vu, c.attendu);
  }
}

// Pieces handed to the writing thread land in order, whole; once one fails,
// its error comes back and the file is not kept.
TEST(FileIo, ParallelWriteKeepsOrderAndStopsAtTheFirstFailure) {
  const std::string chemin = std::string(::testing::TempDir()) + "/parallele.bin";
  test::SansPanneALaFin sansPanne;
  for (long long plein : {-1LL, 0LL, 7000LL, 49999LL}) {
    SupprimeFichier(chemin);
    if (plein >= 0) test::DisquePleinApres(plein);
    FichierNeuf fichier;
    ASSERT_EQ(fichier.Ouvre(chemin), 0);
    std::string attendu, piece;
    int vue = 0;
    {
      EcritureParallele ecriture(fichier);
      for (int i = 0; i < 50; ++i) {
        piece.assign(1000, static_cast<char>('A' + i % 26));
        attendu += piece;
        if (int e = ecriture.Ajoute(piece); e != 0 && vue == 0) vue = e;
        EXPECT_TRUE(piece.empty());
      }
      EXPECT_EQ(ecriture.Attend(), plein >= 0 ? ENOSPC : 0) << plein;
    }
    // A failure may be noticed a piece or two late, never reported early.
    if (vue != 0) {
      EXPECT_EQ(vue, ENOSPC);
    }
    if (plein >= 0) {
      EXPECT_NE(fichier.Termine(), 0);
      EXPECT_FALSE(FichierExiste(chemin)) << plein;
      continue;
    }
    ASSERT_EQ(fichier.Termine(), 0);
    std::string lu;
    ASSERT_TRUE(LitFichier(chemin, lu).ok());
    EXPECT_EQ(lu, attendu);
  }
}

}  // namespace
}  // namespace kindrela
