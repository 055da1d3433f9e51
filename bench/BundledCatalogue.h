#pragma once

#include "platform/storage/CatalogueStore.h"

#include <stdexcept>

namespace airmotor::bench {

// The catalogue of the built program folder, loaded once.
inline const core::MotorCatalogue& BundledCatalogue() {
    static const core::MotorCatalogue catalogue = [] {
        platform::CatalogueStore store(QStringLiteral(AIRMOTOR_BIN_DIR "/Zevodida.db"));
        auto loaded = store.loadCatalogue();
        if (auto* error = std::get_if<core::LoadError>(&loaded))
            throw std::runtime_error(error->message);
        return std::get<core::CatalogueLoadResult>(loaded).catalogue;
    }();
    return catalogue;
}

} // namespace airmotor::bench
