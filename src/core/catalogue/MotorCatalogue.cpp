#include "core/catalogue/MotorCatalogue.h"

namespace airmotor::core {

MotorCatalogue::MotorCatalogue()
    : intSokindex(kCatalogueSize, 0), strBenamning(kCatalogueSize), strDetaljnr1(kCatalogueSize),
      strDetaljnr2(kCatalogueSize), strDetaljnr3(kCatalogueSize), txtRotation(kCatalogueSize),
      bolLubricationFree(kCatalogueSize, false), bolStainless(kCatalogueSize, false),
      bolBrake(kCatalogueSize, false), sngTomgVarvtal(kCatalogueSize, 0.0f),
      sngLuftforbrTomgang(kCatalogueSize, 0.0f), sngMaxEffekt(kCatalogueSize, 0.0f),
      sngMomentMaxeff(kCatalogueSize, 0.0f), sngLuftMaxeff(kCatalogueSize, 0.0f),
      sngVarvMaxeff(kCatalogueSize, 0.0f), sngStallmoment(kCatalogueSize, 0.0f),
      sngMinStartMoment(kCatalogueSize, 0.0f), sngPris(kCatalogueSize, 0.0f), strMattskiss(kCatalogueSize),
      sngUtvaxling(kCatalogueSize, 0.0f), sngVikt(kCatalogueSize, 0.0f), intGradtal_M(kCatalogueSize, 0.0f),
      intGradtal_L(kCatalogueSize, 0.0f), sngC_M(kCoefficientRows * kCatalogueSize, 0.0f),
      sngC_L(kCoefficientRows * kCatalogueSize, 0.0f), bolOldMotor(kCatalogueSize, false),
      sngMin_VarvDiagram(kCatalogueSize, 0.0f), sngMax_VarvDiagram(kCatalogueSize, 0) {}

} // namespace airmotor::core
