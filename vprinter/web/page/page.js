// The page's life: poll /api/state for what changed, draw it newest first,
// and send the controls as POSTs. Text from the printer is only ever set as
// text, never as HTML.
'use strict';

const POLL_MS = 500;
const HEX_BYTES = 4096;  // the hex view shows this much; the download has all
let revision = 0;
let conditions = [];
const receiptCards = new Map();      // number -> element
const connectionCards = new Map();   // id -> {element, bytes}

function el(tag, attributes, ...children) {
  const node = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes || {})) node.setAttribute(name, value);
  for (const child of children) node.append(child);
  return node;
}

function fileLink(name, label) {
  return el('a', {href: '/files/' + name, download: name}, label);
}

function say(text, error) {
  const message = document.getElementById('message');
  message.textContent = text;
  message.className = error ? 'note error' : 'note';
}

// Keeps the cards of `items` in `box`, newest first, making those not yet drawn.
function place(box, items, cards, key, make) {
  const wanted = items.map((item) => cards.get(key(item)) || make(item));
  for (const old of cards.keys()) {
    if (!items.some((item) => key(item) === old)) cards.delete(old);
  }
  box.replaceChildren(...wanted.map((card) => card.element || card));
}

function receiptCard(receipt) {
  const text = el('pre', {class: 'text'}, '');
  const card = el('div', {class: 'receipt', 'data-number': receipt.number},
      el('div', {class: 'paper'},
          el('img', {src: '/files/' + receipt.png, width: receipt.width, height: receipt.height,
                     alt: 'receipt ' + receipt.number})),
      el('div', {class: 'dump'},
          el('div', {class: 'meta'}, 'Receipt ' + receipt.number + ' · ' + receipt.width + ' × ' +
              receipt.height + ' dots · ', el('span', {class: 'ending'}, receipt.ending)),
          el('div', {class: 'meta'}, fileLink(receipt.png, 'PNG'), fileLink(receipt.txt, 'text')),
          text));
  fetch('/files/' + receipt.txt).then((r) => r.ok ? r.text() : '(text not readable)')
      .then((t) => { text.textContent = t; }, () => { text.textContent = '(text not readable)'; });
  receiptCards.set(receipt.number, card);
  return card;
}

function hexDump(bytes, total) {
  const lines = [];
  for (let at = 0; at < bytes.length; at += 16) {
    const row = Array.from(bytes.subarray(at, at + 16));
    const hex = row.map((b) => b.toString(16).padStart(2, '0').toUpperCase()).join(' ');
    const ascii = row.map((b) => (b >= 32 && b < 127 ? String.fromCharCode(b) : '.')).join('');
    lines.push(at.toString(16).padStart(6, '0') + '  ' + hex.padEnd(48) + ' ' + ascii);
  }
  if (total > bytes.length) lines.push('… ' + (total - bytes.length) + ' more bytes: download the file');
  return lines.join('\n') || '(no bytes)';
}

async function loadHex(entry, connection) {
  entry.hexLoaded = connection.bytes;
  if (connection.bytes === 0) { entry.hex.textContent = '(no bytes)'; return; }
  const response = await fetch('/files/' + connection.file, {headers: {Range: 'bytes=0-' + (HEX_BYTES - 1)}});
  const bytes = new Uint8Array(await response.arrayBuffer());
  entry.hex.textContent = hexDump(bytes, connection.bytes);
}

function connectionCard(connection) {
  const summary = el('summary', {}, '');
  const hex = el('pre', {class: 'hex'}, '');
  const details = el('details', {}, summary, hex);
  const element = el('div', {class: 'connection', 'data-id': connection.id}, details);
  const entry = {element, summary, hex, details, connection, hexLoaded: -1};
  details.addEventListener('toggle', () => { if (details.open) loadHex(entry, entry.connection); });
  connectionCards.set(connection.id, entry);
  return entry;
}

function updateConnection(entry, connection) {
  entry.connection = connection;
  entry.element.classList.toggle('open', connection.open);
  entry.summary.replaceChildren('#' + connection.id + ' ' + connection.opened + ' ' + connection.source +
      (connection.peer ? ' from ' + connection.peer : '') + ' · ' + connection.bytes + ' bytes' +
      (connection.open ? ' · open ' : ' · ended '), fileLink(connection.file, 'bin'));
  if (entry.details.open && entry.hexLoaded !== connection.bytes) loadHex(entry, connection);
}

function drawPrinter(printer) {
  if (!printer) return;
  conditions = printer.conditions;
  document.getElementById('status-answer').textContent = printer.statusAnswer || 'nothing (silent)';
  document.getElementById('conditions').textContent = conditions.join(', ') || 'ready';
  for (const button of document.querySelectorAll('[data-condition]')) {
    button.setAttribute('aria-pressed', String(conditions.includes(button.dataset.condition)));
  }
  document.getElementById('settings').replaceChildren(...printer.settings.map((line) => el('li', {}, line)));
}

function drawFirmware(images) {
  const box = document.getElementById('firmware');
  if (images.length === 0) { box.replaceChildren(el('p', {class: 'empty'}, 'none received')); return; }
  const rows = images.map((image) => el('tr', {},
      el('td', {}, fileLink(image.name, image.name)), el('td', {}, String(image.bytes)),
      el('td', {}, image.signature), el('td', {}, String(image.length)), el('td', {}, image.checksum)));
  box.replaceChildren(el('table', {}, el('tr', {}, el('th', {}, 'image'), el('th', {}, 'bytes'),
      el('th', {}, 'signature'), el('th', {}, 'length'), el('th', {}, 'checksum')), ...rows));
}

function draw(state) {
  const receipts = document.getElementById('receipts');
  place(receipts, state.receipts, receiptCards, (r) => r.number, receiptCard);
  if (state.receipts.length === 0) receipts.replaceChildren(el('p', {class: 'empty'}, 'nothing printed yet'));
  const connections = document.getElementById('connections');
  place(connections, state.connections, connectionCards, (c) => c.id, connectionCard);
  for (const connection of state.connections) updateConnection(connectionCards.get(connection.id), connection);
  if (state.connections.length === 0) connections.replaceChildren(el('p', {class: 'empty'}, 'no connection yet'));
  drawPrinter(state.printer);
  drawFirmware(state.firmware);
  const dropped = state.dropped ? ' · ' + state.dropped + ' events were not shown (the page fell behind)' : '';
  document.getElementById('link').textContent = 'live at ' + location.host + dropped;
}

async function poll() {
  try {
    const response = await fetch('/api/state?since=' + revision);
    const state = await response.json();
    if (state.changed) draw(state);
    revision = state.revision;
  } catch (error) {
    document.getElementById('link').textContent = 'vprinter does not answer (' + error.message + '); trying again';
  }
  setTimeout(poll, POLL_MS);
}

async function send(path, body) {
  try {
    const response = await fetch(path, {method: 'POST', headers: {'Content-Type': 'text/plain'}, body});
    const text = (await response.text()).trim();
    say(response.ok ? path.replace('/api/', '') + ': ' + text : text, !response.ok);
  } catch (error) {
    say('not sent: ' + error.message, true);
  }
  revision = 0;  // draw the answer at the next poll whatever it is
}

function wire() {
  for (const button of document.querySelectorAll('[data-condition]')) {
    button.addEventListener('click', () => {
      const word = button.dataset.condition;
      const next = conditions.includes(word) ? conditions.filter((c) => c !== word) : conditions.concat(word);
      conditions = next;
      send('/api/conditions', next.join(' '));
    });
  }
  document.getElementById('reply-normal').addEventListener('click', () => send('/api/status-reply', 'normal'));
  document.getElementById('reply-silent').addEventListener('click', () => send('/api/status-reply', 'silent'));
  document.getElementById('reply-hex-send').addEventListener('click',
      () => send('/api/status-reply', document.getElementById('reply-hex').value));
  document.getElementById('clear').addEventListener('click', () => send('/api/clear', ''));
}

wire();
poll();
