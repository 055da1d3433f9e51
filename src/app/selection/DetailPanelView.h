#pragma once

#include <QGroupBox>
#include <QMap>

#include <array>

class QLabel;

namespace airmotor::core {
class SelectionSession;
struct LanguageState;
} // namespace airmotor::core

namespace airmotor::app {

// "Performance current motor": the figures of the current motor, its product number and class.
class DetailPanelView final : public QGroupBox {
    Q_OBJECT
public:
    explicit DetailPanelView(QWidget* parent = nullptr);

    // Headings that the current motor may replace fall back to the loaded language without one.
    void refresh(const core::SelectionSession& session, const core::LanguageState& language);
    QLabel* value(const QString& name) const { return values.value(name); }
    std::array<QLabel*, 2> explosionPictures() const { return {picEx[0], picEx[1]}; }

private:
    // Value boxes hold at most "####0.0"; the product number and the certificate number are wider.
    static constexpr int kValueWidth = 66;
    static constexpr int kWideValueWidth = 100;

    QLabel* heading(const char* name, const char* text, bool bold = false);
    QLabel* result(const char* name);

    QMap<QString, QLabel*> values;
    QLabel* Label15;
    QLabel* Label17;
    QLabel* Label24;
    QLabel* Label21;
    QLabel* Label22;
    QLabel* Label14;
    QLabel* picEx[2];
};

} // namespace airmotor::app
