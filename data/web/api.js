// Every answer the page needs from the server; a network failure or a gateway error becomes
// Unreachable so the page can say so in the chosen language.

export class Unreachable extends Error {}

// A 400 answer: the page sent something the server cannot read.
export class Malformed extends Error {}

const API = 'api/v1/';

async function send(path, options) {
    let response;
    try {
        response = await fetch(API + path, options);
    } catch {
        throw new Unreachable(path);
    }
    if (response.status >= 502 && response.status <= 504) {
        throw new Unreachable(path);
    }
    return response;
}

async function json(response) {
    let body;
    try {
        body = await response.json();
    } catch {
        throw new Unreachable(response.url);
    }
    if (body && typeof body.error === 'string') {
        throw new Malformed(body.error);
    }
    return body;
}

function post(body) {
    return {
        method: 'POST',
        headers: { 'Content-Type': 'application/json' },
        body: JSON.stringify(body),
    };
}

export async function texts(language) {
    return json(await send('texts?language=' + encodeURIComponent(language)));
}

// A refusal (422) carries the same body as an answer, with its messages.
export async function search(body) {
    return json(await send('search', post(body)));
}

export async function motor(index, pressure, language) {
    const query = new URLSearchParams({ pressure: String(pressure), language });
    return json(await send(`motors/${index}?${query}`));
}

export function diagramUrl(index, query) {
    return `${API}motors/${index}/diagram.svg?${new URLSearchParams(query)}`;
}

export function drawingUrl(index) {
    return `${API}motors/${index}/drawing.svg`;
}

export async function compare(body) {
    return json(await send('compare', post(body)));
}

export async function calculator(name, body) {
    return json(await send(name === 'wagon' ? 'calculators/wagon' : 'calculators/rotating-mass', post(body)));
}

export async function datasheet(body) {
    const response = await send('datasheet.pdf', post(body));
    if (!response.ok) {
        await json(response);
        throw new Malformed(String(response.status));
    }
    return response.blob();
}
