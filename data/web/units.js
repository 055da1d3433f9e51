// The API speaks SI whatever the language; only the imperial setting shows other units.

export const IMPERIAL = 'English_Imperial';

// Shown value = SI value × factor.
const IMPERIAL_FACTORS = {
    torque: 1 / 1.35582,
    power: 1 / 0.7457,
    air: 2.11888,
    pressure: 14.5038,
    weight: 1 / 0.45359237,
    speed: 1,
};

function factor(kind, language) {
    return language === IMPERIAL ? IMPERIAL_FACTORS[kind] ?? 1 : 1;
}

export function toShown(kind, si, language) {
    return si == null ? null : si * factor(kind, language);
}

export function toSi(kind, shown, language) {
    return shown == null ? null : shown / factor(kind, language);
}

// Three significant figures at most, as the desktop shows them, never in exponent form.
export function formatNumber(value) {
    if (value == null || !Number.isFinite(value)) {
        return '–';
    }
    const size = Math.abs(value);
    const decimals = size >= 100 ? 0 : size >= 10 ? 1 : size >= 1 ? 2 : 3;
    return value.toFixed(decimals);
}

// Enough digits to round-trip what a user typed or a link held, without float noise.
export function formatInput(value) {
    if (value == null) {
        return '';
    }
    return String(Number(value.toPrecision(6)));
}

// Accepts a decimal comma too: half the languages write one. Empty means "not given".
export function parseNumber(text) {
    const cleaned = text.trim().replace(',', '.');
    if (cleaned === '') {
        return null;
    }
    const value = Number(cleaned);
    return Number.isFinite(value) ? value : NaN;
}

// The unit a caption of the server names in brackets ("Drehzahl [1/min]" -> "1/min"), so that a
// caption the server gives without one gets the same unit as its neighbours in that language.
export function unitInLabel(label) {
    const found = /\[([^\]]+)\]\s*$/.exec(label ?? '');
    return found ? found[1] : '';
}
