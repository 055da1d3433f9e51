// The results table and the comparison table, built from the API's answers and the server's texts.
import { formatNumber, toShown } from './units.js';

export const MAX_COMPARED = 4;

const MODE_LABELS = {
    'direct': 'modeDirect',
    'throttled': 'modeThrottled',
    'reduced-pressure': 'modeReducedPressure',
};

// Result column: label key, the row's SI field, its unit kind.
const RESULT_COLUMNS = [
    ['torque', 'torqueAtSpeed', 'torque'],
    ['speed', 'speedAtTorque', 'speed'],
    ['power', 'power', 'power'],
    ['airAtMaxPower', 'air', 'air'],
    ['workingPressure', 'pressure', 'pressure'],
];

// Comparison figures that have a caption among the server's texts, grouped under the desktop's
// headings because "Torque" means another point in each group; the others stay out rather than
// appear with an English name.
const COMPARED_GROUPS = [
    [null, [['startTorque', 'minStartTorque', 'torque'], ['stallTorque', 'stallTorque', 'torque'],
        ['freeSpeed', 'freeSpeed', 'speed'], ['weight', 'weight', 'weight']]],
    ['maxPowerPoint', [['maxPower', 'maxPower', 'power'], ['torqueAtMaxPower', 'torqueAtMaxPower', 'torque'],
        ['speedAtMaxPower', 'speedAtMaxPower', 'speed'], ['airAtMaxPower', 'airAtMaxPower', 'air']]],
    ['workingPoint', [['pressure', 'workingPressure', 'pressure'], ['torqueAtSpeed', 'torque', 'torque'],
        ['speedAtTorque', 'speed', 'speed'], ['power', 'power', 'power'], ['air', 'airAtMaxPower', 'air']]],
];

function element(name, text, className) {
    const made = document.createElement(name);
    if (text != null) {
        made.textContent = text;
    }
    if (className) {
        made.className = className;
    }
    return made;
}

// Captions of the desktop end with a colon; a column heading does not.
export function caption(text) {
    return (text ?? '').replace(/\s*:\s*$/, '');
}

export function modeBadge(mode, labels) {
    return element('span', labels[MODE_LABELS[mode]] ?? mode, `badge mode-${mode}`);
}

export function shown(kind, value, language) {
    return formatNumber(toShown(kind, value, language));
}

// Fills the results table; `onChoose(row)` on click or Enter, `onTick()` when a tick box changes.
export function renderResults(table, rows, labels, language, { onChoose, onTick, ticked, chosen }) {
    const head = table.tHead;
    const body = table.tBodies[0];
    head.replaceChildren();
    body.replaceChildren();
    const headRow = head.insertRow();
    const headings = [labels.compare, caption(labels.motorType), ...RESULT_COLUMNS.map(([key]) => labels[key])];
    headings.forEach((text, k) => {
        const cell = element('th', text, k > 1 ? 'number' : null);
        cell.scope = 'col';
        headRow.append(cell);
    });
    for (const row of rows) {
        const line = body.insertRow();
        line.tabIndex = 0;
        line.dataset.row = String(row.row);
        line.classList.toggle('chosen', row.row === chosen);
        if (row.row === chosen) {
            line.setAttribute('aria-current', 'true');
        }

        const tickCell = line.insertCell();
        tickCell.className = 'tick-cell';
        const tick = element('input');
        tick.type = 'checkbox';
        tick.className = 'tick';
        tick.value = String(row.row);
        tick.checked = ticked.has(row.row);
        tick.setAttribute('aria-label', `${labels.compare} ${row.designation}`);
        tick.addEventListener('click', (event) => event.stopPropagation());
        tick.addEventListener('change', () => onTick(row.row, tick.checked));
        tickCell.append(tick);

        const name = element('th', null, 'designation');
        name.scope = 'row';
        name.append(element('span', row.designation, 'name'), ' ', modeBadge(row.mode, labels));
        if (row.alternative) {
            name.append(element('span', row.alternative, 'alternative'));
        }
        line.append(name);

        for (const [key, field, kind] of RESULT_COLUMNS) {
            const cell = element('td', shown(kind, row[field], language), 'number');
            // A narrow screen shows each row as a card whose values carry their own captions.
            cell.dataset.caption = labels[key];
            line.append(cell);
        }
        line.addEventListener('click', () => onChoose(row));
        line.addEventListener('keydown', (event) => {
            if (event.target === line && (event.key === 'Enter' || event.key === ' ')) {
                event.preventDefault();
                onChoose(row);
            }
        });
    }
    table.hidden = rows.length === 0;
    limitTicks(table, ticked);
}

// A fifth tick box cannot be ticked: the comparison takes four motors.
export function limitTicks(table, ticked) {
    for (const box of table.querySelectorAll('input.tick')) {
        box.disabled = !box.checked && ticked.size >= MAX_COMPARED;
    }
}

// One column per motor, one row per figure; the best value of a figure is marked.
export function renderComparison(table, answer, labels, language) {
    table.replaceChildren();
    const head = table.createTHead().insertRow();
    head.append(element('td'));
    for (const motor of answer.rows) {
        const cell = element('th', null, 'number');
        cell.scope = 'col';
        cell.append(element('span', motor.designation, 'name'), ' ', modeBadge(motor.mode, labels));
        head.append(cell);
    }
    const better = new Map(answer.figures.map((figure) => [figure.name, figure.better]));
    for (const [heading, figures] of COMPARED_GROUPS) {
        const body = table.createTBody();
        if (heading) {
            const cell = element('th', caption(labels[heading]), 'group');
            cell.scope = 'colgroup';
            cell.colSpan = answer.rows.length + 1;
            body.insertRow().append(cell);
        }
        for (const [field, labelKey, kind] of figures) {
            const line = body.insertRow();
            const name = element('th', labels[labelKey]);
            name.scope = 'row';
            line.append(name);
            for (const motor of answer.rows) {
                const cell = element('td', shown(kind, motor[field], language), 'number');
                if (better.get(field) && motor.best.includes(field)) {
                    cell.classList.add('best');
                    cell.prepend(element('span', '★ ', 'star'));
                }
                line.append(cell);
            }
        }
    }
}
