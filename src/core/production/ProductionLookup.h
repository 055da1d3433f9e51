#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/production/ProductionData.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace airmotor::core {

// Why a production record of the motor was or was not used.
enum class RecordOutcome { Used, NotApproved, ZeroValue, NoSheet1Row, OutsideBand };

struct ProductionRecord {
    std::string SerNbr;        // trimmed text
    std::string Produktnummer; // as stored, numbers as their plain decimal text
    RecordOutcome outcome = RecordOutcome::NotApproved;
    std::string bandField; // the first field outside its band
    // "used", "not approved", "zero value", "no Sheet1 row" or "outside band: FIELD".
    std::string reason() const;
};

// The means are taken over the used records; all zero when none was used.
struct ProductionMeans {
    double VarvtalEffekt = 0.0;
    double Moment = 0.0;
    double LuftforbrukningEffekt = 0.0;
    double SpeedRpm = 0.0;
    double AirCons = 0.0;
};

struct ProductionLookupResult {
    int count = 0; // used records; every lookup starts from 0
    ProductionMeans means;
    std::vector<ProductionRecord> records; // the records of the motor's part numbers, in table order
};

// The tables of one production database with the serial numbers indexed, built once for a batch.
class ProductionIndex final {
public:
    explicit ProductionIndex(ProductionTables tables);

    const ProductionTables& tables() const { return tables_; }
    // The first Sheet1 row of a serial number, nullptr when there is none.
    const Sheet1Row* firstSheet1Row(const std::string& serial) const;

private:
    ProductionTables tables_;
    std::unordered_map<std::string, std::size_t> firstSheet1_;
};

// A stored value as text: trimmed; a whole number without decimals, any other number in its
// shortest exact form; "" for Null.
std::string ProductionText(const ProductionValue& value);
// Godkänd: a boolean true or a non-zero number.
bool IsApproved(const ProductionValue& value);
// A non-empty part number matches a stored Produktnummer when the two are equal with all blanks
// removed, or both read as the same number. A part number of blanks alone matches nothing.
bool PartNumberMatches(const ProductionValue& produktnummer, std::string_view partNumber);

// The lookup of motor k (catalogue index) over the production tables.
ProductionLookupResult LookUpProduction(const MotorCatalogue& catalogue, int k, const ProductionIndex& index);

} // namespace airmotor::core
