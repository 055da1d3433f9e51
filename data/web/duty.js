// The duty as the form shows it, as the API takes it (SI) and as a shareable link holds it (SI,
// so a link means the same duty whichever language opens it).
import { formatInput, parseNumber, toShown, toSi } from './units.js';

export const NUMBER_FIELDS = {
    torque: 'torque',
    speed: 'speed',
    pressure: 'pressure',
    startTorque: 'torque',
    stallMin: 'torque',
    stallMax: 'torque',
    freeMin: 'speed',
    freeMax: 'speed',
};

export const SERIES = ['TKM', 'TKS', 'PGW'];
const ROTATIONS = ['clockwise', 'counter-clockwise', 'reversible'];
const LUBRICATIONS = ['lubricated', 'lube-free'];

export const DEFAULT_DUTY = {
    pressure: 6.3,
    series: SERIES,
    rotation: 'clockwise',
    lubrication: 'lubricated',
};

// Returns the duty in SI and the names of the boxes that hold no number.
export function readForm(form, language) {
    const duty = {};
    const invalid = [];
    for (const [name, kind] of Object.entries(NUMBER_FIELDS)) {
        const value = parseNumber(form.elements[name].value);
        if (Number.isNaN(value)) {
            invalid.push(name);
        } else if (value !== null) {
            duty[name] = toSi(kind, value, language);
        }
    }
    duty.series = [...form.querySelectorAll('input[name="series"]:checked')].map((box) => box.value);
    duty.rotation = form.elements.rotation.value;
    duty.lubrication = form.elements.lubrication.value;
    return { duty, invalid };
}

export function fillForm(form, duty, language) {
    for (const [name, kind] of Object.entries(NUMBER_FIELDS)) {
        form.elements[name].value = formatInput(toShown(kind, duty[name], language));
        form.elements[name].removeAttribute('aria-invalid');
    }
    for (const box of form.querySelectorAll('input[name="series"]')) {
        box.checked = (duty.series ?? SERIES).includes(box.value);
    }
    form.elements.rotation.value = duty.rotation ?? DEFAULT_DUTY.rotation;
    form.elements.lubrication.value = duty.lubrication ?? DEFAULT_DUTY.lubrication;
}

export function dutyToQuery(duty, language) {
    const query = new URLSearchParams();
    for (const name of Object.keys(NUMBER_FIELDS)) {
        if (duty[name] != null) {
            query.set(name, formatInput(duty[name]));
        }
    }
    query.set('series', duty.series.join(','));
    query.set('rotation', duty.rotation);
    query.set('lubrication', duty.lubrication);
    query.set('language', language);
    return query.toString();
}

// Anything a link holds that the page would not send is dropped rather than trusted.
export function queryToDuty(text) {
    const query = new URLSearchParams(text);
    const duty = { ...DEFAULT_DUTY };
    let given = false;
    for (const name of Object.keys(NUMBER_FIELDS)) {
        if (query.has(name)) {
            const value = parseNumber(query.get(name));
            if (value !== null && !Number.isNaN(value)) {
                duty[name] = value;
                given = true;
            }
        }
    }
    if (query.has('series')) {
        duty.series = query.get('series').split(',').filter((s) => SERIES.includes(s));
    }
    if (ROTATIONS.includes(query.get('rotation'))) {
        duty.rotation = query.get('rotation');
    }
    if (LUBRICATIONS.includes(query.get('lubrication'))) {
        duty.lubrication = query.get('lubrication');
    }
    return { duty, given, language: query.get('language') };
}

// The body the API's search, comparison and data sheet take.
export function searchBody(duty, language) {
    const body = { language };
    for (const name of Object.keys(NUMBER_FIELDS)) {
        if (duty[name] != null) {
            body[name] = duty[name];
        }
    }
    body.series = duty.series;
    body.rotation = duty.rotation;
    body.lubrication = duty.lubrication;
    return body;
}
