#include "core/results/ExplosionMarking.h"
#include "core/printing/CertificateDocument.h"

#include <gtest/gtest.h>

namespace airmotor::core {
namespace {
namespace explosion_marking_test {

constexpr std::string_view T85 = kMarkingT85, T85X = kMarkingT85X, T110 = kMarkingT110, T240 = kMarkingT240;

TEST(ExplosionMarking, EveryFamilyRule) {
    struct Row {
        const char* designation;
        float gear;
        const char* cell;
        std::string_view marking;
        bool clearsCertificate;
    } rows[] = {
        // Small TKM: direct drive T110, geared T85.
        {"TKM14-A100-", 1.0f, "", T110, false},
        {"TKM34-A100-", 0.5f, "", T85, false},
        // TKM42 by the first eleven characters.
        {"TKM42-A040-11", 5.0f, "", T110, false},
        {"TKM42-A041-11", 1.0f, "", T85, false},
        {"TKM42-A04", 1.0f, "", T85, false},
        // TKM46 by five characters from position 7, or eight for the RL variants.
        {"TKM46-A025-1", 1.0f, "", T110, false},
        {"TKM46-RL-AR170", 1.0f, "", T110, false},
        {"TKM46-RL-A011-", 1.0f, "", T85, false},
        {"TKM46-A650-", 1.0f, "", T85, false},
        // TKM54 reads the clicked cell, which carries the variant code.
        {"TKM54-A020-", 1.0f, "TKM54-A020-11", T110, false},
        {"TKM54-A020-", 1.0f, "TKM54-A020-12", T85, false},
        {"TKM54-B-AR015", 1.0f, "TKM54-B-AR015", T110, false},
        {"TKM54-A020-", 1.0f, "( TKM54-A020-11 )", T110, false}, // brackets of a short start torque
        {"TKM66 A020-", 1.0f, "", T110, false},
        {"TKM66 A550-", 1.0f, "", T85, false},
        {"TKM77 A027-", 1.0f, "", T110, false},
        {"TKM77 A400-F", 1.0f, "", T85, false},
        // TKS: geared none; "-L-" T85 X; SL/-M T85; -RL-/-R-SL T110; else T240.
        {"TKS05-100-L-1", 3.0f, "", "", false},
        {"TKS05-100-L-1", 1.0f, "", T85X, false},
        {"TKS03-005-SL", 1.0f, "", T85, false},
        {"TKS25-100-M", 1.0f, "", T85, false},
        {"TKS35-100-RL-1", 1.0f, "", T110, false},
        {"TKS15-100-R-SL", 1.0f, "", T110, false},
        {"TKS25-100-R-1", 1.0f, "", T240, false},
        {"PGW03-100", 1.0f, "", "", true},
        {"TKS 05-100", 1.0f, "", "", true},
        {"", 1.0f, "", "", true},
    };
    for (const Row& row : rows) {
        const ExplosionMarkingResult r = ExplosionMarking(row.designation, row.gear, row.cell);
        EXPECT_EQ(r.lblClass, row.marking) << row.designation << " gear " << row.gear << " cell " << row.cell;
        EXPECT_EQ(r.clearCertificateNumber, row.clearsCertificate) << row.designation;
    }
}

TEST(ExplosionMarking, CertificatesInTheLanguagesOwnDocumentOrTheEnglishOne) {
    EXPECT_EQ(CertificateDocumentName("French"), "Certificat ATEX pour moteur.pdf");
    EXPECT_EQ(CertificateDocumentName("English_Imperial"), "EX information.pdf");
}

} // namespace explosion_marking_test
} // namespace
} // namespace airmotor::core
