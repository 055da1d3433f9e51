// The page's state and wiring: the duty form, the language, the results and what hangs off them.
import * as api from './api.js';
import { DEFAULT_DUTY, dutyToQuery, fillForm, queryToDuty, readForm, searchBody } from './duty.js';
import {
    calculatorBody, downloadDatasheet, notANumber, renderCalculator, renderFigures, resetCalculator, showDiagram,
    showDrawing,
} from './detail.js';
import { unitInLabel } from './units.js';
import { MAX_COMPARED, caption, limitTicks, renderComparison, renderResults } from './views.js';

const HTML_LANGUAGES = {
    English: 'en', English_Imperial: 'en', German: 'de', French: 'fr', Italian: 'it', Spanish: 'es',
};
const STORED_LANGUAGE = 'airmotor.language';
const STORED_TEXTS = 'airmotor.texts.';

const $ = (id) => document.getElementById(id);
const page = {
    form: $('duty'),
    language: $('language'),
    problem: $('problem'),
    messages: $('messages'),
    results: $('results-table'),
    compare: $('compare'),
    share: $('share'),
    comparison: $('comparison'),
    comparisonTable: $('comparison-table'),
    detail: $('detail'),
    heading: $('detail-heading'),
    powerHeading: $('detail-power-heading'),
    figures: $('figures'),
    diagram: $('diagram'),
    drawing: $('drawing'),
    drawingLink: $('drawing-link'),
    drawingFigure: $('drawing-figure'),
    datasheet: $('datasheet'),
    datasheetFile: $('datasheet-file'),
    calculators: $('calculators'),
    wagon: $('wagon'),
    rotatingMass: $('rotatingMass'),
};

const state = {
    language: 'English',
    labels: {},
    calculators: {},
    duty: null,
    pressure: null,
    rows: [],
    ticked: new Set(),
    chosen: null,
};

function showProblem(error) {
    if (!error) {
        page.problem.hidden = true;
        page.problem.textContent = '';
        return;
    }
    // The server's own words for a malformed request; the chosen language's for a lost server.
    page.problem.textContent = error instanceof api.Malformed ? error.message : state.labels.unreachable ?? '⚠';
    page.problem.hidden = false;
    if (!(error instanceof api.Unreachable) && !(error instanceof api.Malformed)) {
        console.error(error);
    }
}

// Runs one user action; a failure is shown instead of left in the console.
async function guarded(work) {
    try {
        await work();
        showProblem(null);
    } catch (error) {
        showProblem(error);
    }
}

// The last texts of each language are kept so that even a lost server is reported in words.
async function loadTexts(language) {
    let answer;
    try {
        answer = await api.texts(language);
        localStorage.setItem(STORED_TEXTS + language, JSON.stringify(answer));
    } catch (error) {
        const kept = localStorage.getItem(STORED_TEXTS + language);
        if (!kept) {
            throw error;
        }
        answer = JSON.parse(kept);
        showProblem(error);
    }
    state.language = answer.language;
    state.labels = answer.labels;
    state.calculators = answer.calculators ?? {};
    document.documentElement.lang = HTML_LANGUAGES[state.language] ?? 'en';
    for (const node of document.querySelectorAll('[data-label]')) {
        const unit = node.dataset.unit ? ` [${unitInLabel(state.labels[node.dataset.unit])}]` : '';
        const text = (state.labels[node.dataset.label] ?? '') + unit;
        node.textContent = node.matches('h2, legend') ? caption(text) : text;
    }
    page.language.replaceChildren(...answer.languages.map(({ id, name }) => new Option(name, id)));
    page.language.value = state.language;
}

function shareQuery() {
    return '?' + dutyToQuery(state.duty ?? readForm(page.form, state.language).duty, state.language);
}

function showMessages(messages, refused) {
    page.messages.classList.toggle('refused', refused);
    page.messages.replaceChildren(...messages.map((m) => {
        const p = document.createElement('p');
        p.textContent = m.text;
        return p;
    }));
}

function drawResults() {
    renderResults(page.results, state.rows, state.labels, state.language, {
        onChoose: (row) => guarded(() => choose(row)),
        onTick: tick,
        ticked: state.ticked,
        chosen: state.chosen?.row,
    });
    page.compare.disabled = state.ticked.size < 2;
}

function tick(row, on) {
    if (on && state.ticked.size < MAX_COMPARED) {
        state.ticked.add(row);
    } else {
        state.ticked.delete(row);
    }
    limitTicks(page.results, state.ticked);
    page.compare.disabled = state.ticked.size < 2;
}

// `keep` re-runs the same duty (another language) and keeps the chosen and ticked motors.
async function search({ keep = false } = {}) {
    const { duty, invalid } = readForm(page.form, state.language);
    for (const input of page.form.querySelectorAll('.fields input')) {
        if (invalid.includes(input.name)) {
            input.setAttribute('aria-invalid', 'true');
        } else {
            input.removeAttribute('aria-invalid');
        }
    }
    if (invalid.length) {
        showMessages(invalid.map((name) => {
            const input = page.form.elements[name];
            return { text: notANumber(state.labels, caption(input.labels[0]?.textContent ?? name), input.value) };
        }), true);
        page.form.elements[invalid[0]].focus();
        return;
    }
    const answer = await api.search(searchBody(duty, state.language));
    state.duty = duty;
    state.pressure = answer.pressure;
    state.rows = answer.rows;
    if (!keep) {
        state.ticked.clear();
        state.chosen = null;
        page.detail.hidden = true;
        page.calculators.hidden = true;
        page.comparison.hidden = true;
    }
    const messages = answer.rows.length || answer.refused
        ? answer.messages
        : [...answer.messages, { text: state.labels.noMotor }];
    showMessages(messages, answer.refused);
    drawResults();
    const query = shareQuery();
    page.share.href = query;
    if (location.search !== query) {
        history.pushState(null, '', query);
    }
}

async function choose(row) {
    state.chosen = row;
    for (const line of page.results.tBodies[0].rows) {
        const chosen = line.dataset.row === String(row.row);
        line.classList.toggle('chosen', chosen);
        if (chosen) {
            line.setAttribute('aria-current', 'true');
        } else {
            line.removeAttribute('aria-current');
        }
    }
    await showMotor(row);
    page.detail.hidden = false;
    page.calculators.hidden = false;
    resetCalculator(page.wagon);
    resetCalculator(page.rotatingMass);
    await Promise.all([calculate(page.wagon), calculate(page.rotatingMass)]);
}

async function showMotor(row) {
    const answer = await api.motor(row.index, state.pressure, state.language);
    renderFigures(page, answer, state.labels, state.language);
    showDiagram(page.diagram, row, { ...state.duty, pressure: state.pressure }, state.language, state.labels);
    showDrawing(page, answer, state.labels);
}

async function calculate(form) {
    const body = calculatorBody(form, state.chosen.index, state.language, state.labels);
    if (body) {
        renderCalculator(form, await api.calculator(form.id, body), state.labels, state.calculators[form.id]);
    }
}

async function compare() {
    const rows = [...state.ticked].sort((a, b) => a - b);
    const answer = await api.compare({ ...searchBody(state.duty, state.language), rows });
    renderComparison(page.comparisonTable, answer, state.labels, state.language);
    page.comparison.hidden = false;
    page.comparison.scrollIntoView({ block: 'nearest' });
}

async function switchLanguage(language) {
    const { duty } = readForm(page.form, state.language);
    await loadTexts(language);
    localStorage.setItem(STORED_LANGUAGE, state.language);
    fillForm(page.form, duty, state.language);
    if (!state.duty) {
        history.replaceState(null, '', location.pathname);
        return;
    }
    const comparing = !page.comparison.hidden;
    const chosen = state.chosen;
    await search({ keep: true });
    if (chosen) {
        // The calculators keep what was typed into them; only their texts change.
        await Promise.all([showMotor(chosen), calculate(page.wagon), calculate(page.rotatingMass)]);
    }
    if (comparing) {
        await compare();
    }
}

async function datasheet() {
    const row = state.chosen;
    page.datasheet.disabled = true;
    try {
        await downloadDatasheet(page.datasheetFile,
            { ...searchBody(state.duty, state.language), row: row.row }, row.designation);
    } finally {
        page.datasheet.disabled = false;
    }
}

// A shared link restores its duty and runs the search at once.
async function restore() {
    const { duty, given, language } = queryToDuty(location.search);
    const wanted = HTML_LANGUAGES[language] ? language : localStorage.getItem(STORED_LANGUAGE) ?? 'English';
    await loadTexts(HTML_LANGUAGES[wanted] ? wanted : 'English');
    fillForm(page.form, given ? duty : DEFAULT_DUTY, state.language);
    if (given) {
        await search();
        return;
    }
    // Back at a page without a duty: nothing of an earlier search stays on it.
    Object.assign(state, { duty: null, pressure: null, rows: [], chosen: null });
    state.ticked.clear();
    showMessages([], false);
    drawResults();
    for (const section of [page.detail, page.calculators, page.comparison]) {
        section.hidden = true;
    }
    page.share.href = shareQuery();
}

page.form.addEventListener('submit', (event) => {
    event.preventDefault();
    guarded(() => search());
});
page.language.addEventListener('change', () => guarded(() => switchLanguage(page.language.value)));
page.compare.addEventListener('click', () => guarded(compare));
page.datasheet.addEventListener('click', () => guarded(datasheet));
for (const form of [page.wagon, page.rotatingMass]) {
    form.addEventListener('submit', (event) => {
        event.preventDefault();
        guarded(() => calculate(form));
    });
}
window.addEventListener('popstate', () => guarded(restore));
guarded(restore);
