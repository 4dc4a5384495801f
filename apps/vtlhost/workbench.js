// The workbench page: shows the published frame with the command line and the drawing journal beside it,
// and sends the person's mouse and keys to the dialogs. Input goes out in order, one request at a time.
'use strict';

const screen = document.getElementById('screen');
const keys = document.getElementById('keys');
const statusLine = document.getElementById('status');
const message = document.getElementById('message');
const dialogList = document.getElementById('dialogs');
const journal = document.getElementById('journal');
const commandLine = document.getElementById('command-line');

// ---- Sending input -------------------------------------------------------------------------------------

let queue = [];
let sending = false;

function send(event) {
  const last = queue[queue.length - 1];
  // Moves between two other events say nothing the last of them does not.
  if (event.type === 'mousemove' && last && last.type === 'mousemove') queue[queue.length - 1] = event;
  else queue.push(event);
  flush();
}

async function flush() {
  if (sending || queue.length === 0) return;
  sending = true;
  const batch = queue;
  queue = [];
  try {
    const answer = await fetch('/input', {
      method: 'POST',
      headers: { 'Content-Type': 'application/json' },
      body: JSON.stringify(batch),
    });
    if (!answer.ok) showMessage((await answer.json()).error || 'the input was refused', false);
  } catch (e) {
    showMessage('The workbench does not answer: ' + e.message, false);
  }
  sending = false;
  flush();
}

function showMessage(text, ok) {
  message.textContent = text;
  message.className = ok ? 'ok' : '';
}

// ---- Mouse ---------------------------------------------------------------------------------------------

function modifiers(e) {
  const m = [];
  if (e.shiftKey) m.push('shift');
  if (e.ctrlKey) m.push('ctrl');
  if (e.altKey) m.push('alt');
  return m;
}

// Screen pixels: the picture is the screen, scaled back when the page shows it smaller or the browser zooms.
function at(e) {
  const r = screen.getBoundingClientRect();
  const sx = screen.naturalWidth ? screen.naturalWidth / r.width : 1;
  const sy = screen.naturalHeight ? screen.naturalHeight / r.height : 1;
  return { x: Math.floor((e.clientX - r.left) * sx), y: Math.floor((e.clientY - r.top) * sy) };
}

const buttonNames = ['left', 'middle', 'right'];  // by MouseEvent.button
let buttonsDown = 0;

screen.addEventListener('mousedown', (e) => {
  e.preventDefault();
  keys.focus({ preventScroll: true });
  buttonsDown++;
  // The second press of a double click is the double click, as the platform reports it.
  send({ type: e.detail === 2 ? 'dblclick' : 'mousedown', ...at(e), button: buttonNames[e.button] || 'left',
         modifiers: modifiers(e) });
});

// A release outside the picture still ends the press (a drag that left it).
window.addEventListener('mouseup', (e) => {
  if (buttonsDown === 0) return;
  buttonsDown--;
  send({ type: 'mouseup', ...at(e), button: buttonNames[e.button] || 'left', modifiers: modifiers(e) });
});

window.addEventListener('mousemove', (e) => {
  if (buttonsDown === 0 && e.target !== screen) return;
  send({ type: 'mousemove', ...at(e), modifiers: modifiers(e) });
});

screen.addEventListener('contextmenu', (e) => e.preventDefault());
screen.addEventListener('dragstart', (e) => e.preventDefault());
screen.addEventListener('wheel', (e) => {
  e.preventDefault();
  if (e.deltaY === 0) return;
  send({ type: 'wheel', ...at(e), delta: e.deltaY < 0 ? 120 : -120, modifiers: modifiers(e) });
}, { passive: false });

// ---- Keys ----------------------------------------------------------------------------------------------
// The keys go to a hidden text field that takes the focus when the picture is clicked: named keys and
// shortcuts are sent as keys; characters are sent as the text the field receives, so characters of any
// keyboard layout, dead keys and input methods arrive as typed.

const namedKeys = new Set([
  'Enter', 'Tab', 'Escape', 'Backspace', 'Delete', 'Insert', 'Home', 'End', 'PageUp', 'PageDown',
  'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'Shift', 'Control', 'Alt',
  'F1', 'F2', 'F3', 'F4', 'F5', 'F6', 'F7', 'F8', 'F9', 'F10', 'F11', 'F12',
]);
// Keys sent down, by physical key, so that their release is sent too.
const keysDown = new Map();

keys.addEventListener('keydown', (e) => {
  if (e.isComposing) return;
  const mods = modifiers(e);
  let keyName = null;
  if (namedKeys.has(e.key)) {
    if (e.repeat && (e.key === 'Shift' || e.key === 'Control' || e.key === 'Alt')) { e.preventDefault(); return; }
    keyName = e.key;
  } else if ((e.ctrlKey || e.altKey) && /^[a-z0-9]$/i.test(e.key)) {
    keyName = e.key.toUpperCase();  // a shortcut: the key itself
  } else if (e.key === ' ' && !e.ctrlKey && !e.altKey) {
    // A button wants the key, an edit the character.
    e.preventDefault();
    keysDown.set(e.code, ' ');
    send({ type: 'keydown', key: ' ', modifiers: mods });
    send({ type: 'text', text: ' ' });
    return;
  }
  if (!keyName) return;  // a character: it arrives as the field's input
  e.preventDefault();
  keysDown.set(e.code, keyName);
  send({ type: 'keydown', key: keyName, modifiers: mods });
});

keys.addEventListener('keyup', (e) => {
  const keyName = keysDown.get(e.code);
  if (keyName === undefined) return;
  keysDown.delete(e.code);
  e.preventDefault();
  send({ type: 'keyup', key: keyName, modifiers: modifiers(e) });
});

function sendTyped() {
  // Line breaks and other control characters are keys, never text.
  const text = keys.value.replace(/[\u0000-\u001f\u007f]/g, '');
  keys.value = '';
  if (text) send({ type: 'text', text });
}
keys.addEventListener('input', (e) => { if (!e.isComposing) sendTyped(); });
keys.addEventListener('compositionend', sendTyped);

// Keys held when the picture loses the focus are released, so none stays down in the dialogs.
keys.addEventListener('focus', () => screen.classList.add('keys'));
keys.addEventListener('blur', () => {
  screen.classList.remove('keys');
  for (const keyName of keysDown.values()) send({ type: 'keyup', key: keyName });
  keysDown.clear();
});

// ---- The view ------------------------------------------------------------------------------------------

let version = 0;
let frameShown = -1;

function setText(pre, text) {
  if (pre.textContent === text) return;
  const atEnd = pre.scrollTop + pre.clientHeight >= pre.scrollHeight - 4;
  pre.textContent = text;
  if (atEnd) pre.scrollTop = pre.scrollHeight;
}

function show(view) {
  version = view.version;
  if (view.frame !== frameShown) {
    frameShown = view.frame;
    screen.src = '/frame.png?frame=' + view.frame;
  }
  screen.dataset.frame = String(view.frame);
  setText(commandLine, view.commandLine || '');
  setText(journal, view.journal || '');
  statusLine.textContent = view.open ? 'Open: ' + view.open + ' (waiting for: ' + view.waiting + ')'
                                     : (view.status || 'Choose a dialog on the left');
  for (const button of dialogList.querySelectorAll('button')) button.disabled = Boolean(view.open);
}

async function follow() {
  for (;;) {
    try {
      const answer = await fetch('/frame.json?after=' + version, { cache: 'no-store' });
      if (!answer.ok) throw new Error('HTTP ' + answer.status);
      show(await answer.json());
    } catch (e) {
      statusLine.textContent = 'The workbench does not answer (' + e.message + '); trying again';
      await new Promise((resolve) => setTimeout(resolve, 1000));
    }
  }
}

// ---- The start list ------------------------------------------------------------------------------------

async function open(name) {
  showMessage('', true);
  try {
    const answer = await fetch('/open?name=' + encodeURIComponent(name), { method: 'POST' });
    const body = await answer.json();
    if (!answer.ok) showMessage(body.error, false);
    else showMessage('Opened ' + name, true);
  } catch (e) {
    showMessage('The workbench does not answer: ' + e.message, false);
  }
  keys.focus({ preventScroll: true });
}

async function listDialogs() {
  try {
    const answer = await fetch('/dialogs', { cache: 'no-store' });
    for (const d of await answer.json()) {
      const item = document.createElement('li');
      const button = document.createElement('button');
      button.textContent = d.name;
      button.dataset.name = d.name;
      button.title = 'Dialog template ' + d.template;
      button.addEventListener('click', () => open(d.name));
      const purpose = document.createElement('span');
      purpose.className = 'purpose';
      purpose.textContent = d.purpose;
      item.append(button, purpose);
      dialogList.append(item);
    }
  } catch (e) {
    showMessage('The list of dialogs could not be read: ' + e.message, false);
  }
}

listDialogs();
follow();
