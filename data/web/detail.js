// The chosen motor: its figures, diagram, dimension drawing, data sheet and the two calculators.
import * as api from './api.js';
import { caption, shown } from './views.js';
import { IMPERIAL, formatNumber, parseNumber, unitInLabel } from './units.js';

// Panel figure: label key, the SI figure (or null: only the panel's text has it), unit kind.
const FIGURES = [
    ['torqueAtMaxPower', 'torqueAtMaxPower', 'torque'],
    ['speedAtMaxPower', 'speedAtMaxPower', 'speed'],
    ['maxPower', 'maxPower', 'power'],
    ['airAtMaxPower', 'airAtMaxPower', 'air'],
    ['minStartTorque', 'minStartTorque', 'torque'],
    ['freeSpeed', 'freeSpeed', 'speed'],
    ['stallTorque', 'stallTorque', 'torque'],
    ['weight', null, 'weight'],
    ['workingPressure', null, 'pressure'],
    ['throttledFreeSpeed', null, 'speed'],
];

// The formula symbols of the calculators' boxes: their names when the texts have no caption (texts
// kept from an older server).
const SYMBOLS = {
    i: 'i', eta: 'η', D: 'D', v0: 'v₀', m: 'm', FR: 'F_R', alfa: 'α', T: 'T', Nd: 'N_d', mu: 'µ',
    w0: 'ω₀', J: 'J', Mres: 'M_res', c: 'c',
    s: 's', v: 'v', a: 'a', angle: 'φ', angleVelocity: 'ω', angleAcceleration: 'ε', rpm: 'n',
};

// The desktop's order of boxes and results; the answer's objects come sorted by name.
const ORDER = {
    wagon: ['i', 'eta', 'D', 'v0', 'm', 'FR', 'alfa', 'T', 'Nd', 'mu', 's', 'v', 'a'],
    rotatingMass: ['i', 'eta', 'w0', 'J', 'Mres', 'c', 'T', 'angle', 'angleVelocity', 'angleAcceleration', 'rpm'],
};

function inOrder(form, object) {
    const order = ORDER[form.id];
    return Object.entries(object ?? {}).sort(([a], [b]) => order.indexOf(a) - order.indexOf(b));
}

function definition(list, term, value) {
    const dt = document.createElement('dt');
    dt.textContent = term;
    const dd = document.createElement('dd');
    dd.textContent = value;
    list.append(dt, dd);
}

function showMessages(box, messages) {
    box.replaceChildren(...messages.map((m) => {
        const p = document.createElement('p');
        p.textContent = m.text;
        return p;
    }));
}

// The panel's texts are SI numbers; under the imperial setting they are converted like the rest.
function panelValue(text, kind, language) {
    const value = parseNumber(text ?? '');
    if (value === null || Number.isNaN(value)) {
        return null;
    }
    return language === IMPERIAL ? shown(kind, value, language) : text.trim();
}

export function renderFigures(page, answer, labels, language) {
    page.heading.textContent = answer.designation;
    page.powerHeading.textContent = language === IMPERIAL ? caption(labels.maxPowerPoint) : answer.panel.heading;
    page.figures.replaceChildren();
    for (const [key, figure, kind] of FIGURES) {
        const value = figure
            ? shown(kind, answer.figures[figure], language)
            : panelValue(answer.panel[key], kind, language);
        if (value !== null) {
            definition(page.figures, labels[key], value);
        }
    }
}

export function showDiagram(img, row, duty, language, labels) {
    // A motor run at a reduced pressure is drawn at that pressure: there its curve meets the duty.
    const query = { pressure: row.pressure ?? duty.pressure, language };
    if (duty.torque != null && duty.speed != null) {
        query.torque = duty.torque;
        query.speed = duty.speed;
    }
    img.alt = `${labels.diagram} ${row.designation}`;
    img.src = api.diagramUrl(row.index, query);
    // On a small screen the picture is too small to read; its own tab shows it at full size.
    img.parentElement.href = img.src;
}

export function showDrawing(page, answer, labels) {
    page.drawing.parentElement.hidden = !answer.drawing;
    page.drawingLink.hidden = !answer.drawingLink;
    page.drawingFigure.hidden = !answer.drawing && !answer.drawingLink;
    if (answer.drawing) {
        page.drawing.alt = `${labels.drawing} ${answer.designation}`;
        page.drawing.src = api.drawingUrl(answer.index);
        page.drawing.parentElement.href = page.drawing.src;
    } else {
        page.drawing.removeAttribute('src');
    }
    if (answer.drawingLink) {
        page.drawingLink.href = answer.drawingLink;
    }
}

// Fetches the PDF and hands it over as a file; the previous file's memory is given back.
export async function downloadDatasheet(anchor, body, designation) {
    const blob = await api.datasheet(body);
    if (anchor.href.startsWith('blob:')) {
        URL.revokeObjectURL(anchor.href);
    }
    anchor.href = URL.createObjectURL(blob);
    anchor.download = `${designation.trim().replace(/[^A-Za-z0-9._-]+/g, '_')}.pdf`;
    anchor.click();
}

function calculatorField(form, name, text) {
    const id = `${form.id}-${name}`;
    const wrap = document.createElement('div');
    wrap.className = 'field';
    const label = document.createElement('label');
    label.htmlFor = id;
    const input = document.createElement('input');
    input.id = id;
    input.name = name;
    input.type = 'text';
    input.inputMode = 'decimal';
    input.autocomplete = 'off';
    input.value = text;
    wrap.append(label, input);
    return wrap;
}

// The motor's own boxes (stall torque and the like) follow the motor; only the inputs are shown.
function isInput(name) {
    return !name.startsWith('Text1_');
}

function boxCaption(captions, name) {
    return captions?.[name] || (SYMBOLS[name] ?? name);
}

// `captions`: the calculator's box captions in the page's language, by the answer's names.
export function renderCalculator(form, answer, labels, captions) {
    const fields = form.querySelector('.fields');
    if (!fields.children.length) {
        fields.append(...inOrder(form, answer.inputs)
            .filter(([name]) => isInput(name))
            .map(([name, box]) => calculatorField(form, name, box.text)));
    }
    // The boxes keep what was typed into them across a language switch; only their captions change.
    for (const label of fields.querySelectorAll('label')) {
        label.textContent = boxCaption(captions, label.htmlFor.slice(form.id.length + 1));
    }
    showMessages(form.querySelector('.messages'), answer.messages);
    form.classList.toggle('refused', answer.refused);
    const values = form.querySelector('.values');
    values.replaceChildren();
    form.querySelector('.result-heading').textContent = answer.values ? answer.heading : '';
    for (const [name, value] of inOrder(form, answer.values)) {
        const unit = !captions?.[name] && name === 'rpm' ? ` [${unitInLabel(labels.speed)}]` : '';
        definition(values, boxCaption(captions, name) + unit, formatNumber(value));
    }
}

// '%1: "%2" is not a number' for a box, with the box's caption.
export function notANumber(labels, caption, text) {
    return (labels.notANumber ?? '%1: "%2"').replace('%1', caption).replace('%2', text.trim());
}

// Null while a box holds something that is not a number: the server would quietly use its default.
// The boxes in question are marked and named in the calculator's messages.
export function calculatorBody(form, index, language, labels) {
    const body = { index, language };
    let valid = true;
    const refused = [];
    for (const input of form.querySelectorAll('.fields input')) {
        const value = parseNumber(input.value);
        if (Number.isNaN(value)) {
            input.setAttribute('aria-invalid', 'true');
            refused.push({ text: notANumber(labels, input.labels[0]?.textContent ?? input.name, input.value) });
            valid = false;
            continue;
        }
        input.removeAttribute('aria-invalid');
        if (value !== null) {
            body[input.name] = value;
        }
    }
    if (!valid) {
        showMessages(form.querySelector('.messages'), refused);
        form.classList.add('refused');
    }
    return valid ? body : null;
}

export function resetCalculator(form) {
    form.querySelector('.fields').replaceChildren();
    form.querySelector('.messages').replaceChildren();
    form.querySelector('.values').replaceChildren();
    form.querySelector('.result-heading').textContent = '';
}
