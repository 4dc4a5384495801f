// The workbench page: the screen of the dialogs at its own pixel size, cropped to the windows open, with the
// command line, the drawing journal and the files written beside it; the person's mouse and keys go to the
// dialogs. Input goes out in order, one request at a time, named by this page so that the workbench can
// give several pages their turns.
'use strict';

const screen = document.getElementById('screen');
const screenBox = document.getElementById('screen-box');
const focusMark = document.getElementById('focus-mark');
const nothing = document.getElementById('nothing');
const keys = document.getElementById('keys');
const statusLine = document.getElementById('status');
const latencyLine = document.getElementById('latency');
const message = document.getElementById('message');
const groupList = document.getElementById('groups');
const journal = document.getElementById('journal');
const commandLine = document.getElementById('command-line');
const fileList = document.getElementById('files');
const resetButton = document.getElementById('reset');

const client = (self.crypto && crypto.randomUUID) ? crypto.randomUUID()
                                                  : String(Math.random()).slice(2) + String(Date.now());
const headers = { 'X-Workbench-Client': client };

function showMessage(text, ok) {
  message.textContent = text;
  message.className = ok ? 'ok' : '';
}

async function errorOf(answer) {
  try { return (await answer.json()).error || `HTTP ${answer.status}`; } catch { return `HTTP ${answer.status}`; }
}

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
  // Another person at the dialogs: this input waits for its turn, and the page says so.
  const waiting = setTimeout(() => showMessage('Another person is using the dialogs; your input waits its turn…', true), 500);
  try {
    const answer = await fetch('/input', {
      method: 'POST',
      headers: { ...headers, 'Content-Type': 'application/json' },
      body: JSON.stringify(batch),
    });
    clearTimeout(waiting);
    if (!answer.ok) showMessage(await errorOf(answer), false);
    else if (message.textContent.startsWith('Another person')) showMessage('', true);
  } catch (e) {
    clearTimeout(waiting);
    showMessage('The workbench does not answer: ' + e.message, false);
  }
  sending = false;
  flush();
}

// ---- From an action to its picture ---------------------------------------------------------------------
// The time from a click or a key to the first new picture shown after it, for the person (the header) and
// for the browser test (window.workbenchLatencies).

let actionAt = null;
window.workbenchLatencies = [];

function actionStarted() {
  // An earlier action whose picture did not come within a second changed nothing on the screen.
  const now = performance.now();
  if (actionAt === null || now - actionAt > 1000) actionAt = now;
}

function pictureShown() {
  if (actionAt === null) return;
  const since = actionAt;
  actionAt = null;
  requestAnimationFrame(() => {
    const ms = performance.now() - since;
    if (ms > 5000) return;  // an action that changed nothing, and a picture that came for another reason
    window.workbenchLatencies.push(ms);
    if (window.workbenchLatencies.length > 200) window.workbenchLatencies.shift();
    latencyLine.textContent = `${Math.round(ms)} ms`;
  });
}

// ---- Mouse ---------------------------------------------------------------------------------------------

// The crop of the picture shown: where its top-left pixel is on the dialogs' screen.
let shownCrop = { x: 0, y: 0, width: 0, height: 0 };

function modifiers(e) {
  const m = [];
  if (e.shiftKey) m.push('shift');
  if (e.ctrlKey) m.push('ctrl');
  if (e.altKey) m.push('alt');
  return m;
}

// Screen pixels of the dialogs. The picture is shown at its own size; a browser zoom is undone.
function at(e) {
  const r = screen.getBoundingClientRect();
  const sx = screen.naturalWidth && r.width ? screen.naturalWidth / r.width : 1;
  const sy = screen.naturalHeight && r.height ? screen.naturalHeight / r.height : 1;
  return { x: shownCrop.x + Math.floor((e.clientX - r.left) * sx),
           y: shownCrop.y + Math.floor((e.clientY - r.top) * sy) };
}

const buttonNames = ['left', 'middle', 'right'];  // by MouseEvent.button
let buttonsDown = 0;

screen.addEventListener('mousedown', (e) => {
  e.preventDefault();
  dropHover();
  keys.focus({ preventScroll: true });
  buttonsDown++;
  actionStarted();
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

// Moves with a button down (drags) go at once. A hover goes when the mouse rests a moment: a move on its way
// to a click would only make the dialogs draw a picture the click replaces at once (the click carries its
// own place), while a resting mouse still shows tips and hot buttons.
const kHoverRestMs = 60;
let hoverTimer = null;
let hoverEvent = null;

function dropHover() {
  clearTimeout(hoverTimer);
  hoverTimer = null;
  hoverEvent = null;
}

window.addEventListener('mousemove', (e) => {
  if (buttonsDown > 0) {
    dropHover();
    send({ type: 'mousemove', ...at(e), modifiers: modifiers(e) });
    return;
  }
  if (e.target !== screen) return;
  hoverEvent = { type: 'mousemove', ...at(e), modifiers: modifiers(e) };
  clearTimeout(hoverTimer);
  hoverTimer = setTimeout(() => {
    const event = hoverEvent;
    dropHover();
    if (event) send(event);
  }, kHoverRestMs);
});

screen.addEventListener('contextmenu', (e) => e.preventDefault());
screen.addEventListener('dragstart', (e) => e.preventDefault());
screen.addEventListener('wheel', (e) => {
  // Over a screen larger than its box the wheel scrolls the page, as a person expects; with Ctrl it goes
  // to the dialogs.
  if (e.deltaY === 0) return;
  if (!e.ctrlKey && screenBox.scrollHeight > screenBox.clientHeight) {
    const atEdge = (e.deltaY < 0 && screenBox.scrollTop === 0) ||
                   (e.deltaY > 0 && screenBox.scrollTop + screenBox.clientHeight >= screenBox.scrollHeight);
    if (!atEdge) return;
  }
  e.preventDefault();
  dropHover();
  actionStarted();
  send({ type: 'wheel', ...at(e), delta: e.deltaY < 0 ? 120 : -120, modifiers: modifiers(e) });
}, { passive: false });

// ---- Keys ----------------------------------------------------------------------------------------------
// The keys go to a hidden text field that takes the focus when the picture is clicked: named keys and
// shortcuts are sent as keys (the browser's own use of Tab, F3, Escape... is held back); characters are sent
// as the text the field receives, so characters of any keyboard layout, dead keys and input methods arrive
// as typed.

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
    actionStarted();
    send({ type: 'keydown', key: ' ', modifiers: mods });
    send({ type: 'text', text: ' ' });
    return;
  }
  if (!keyName) return;  // a character: it arrives as the field's input
  e.preventDefault();
  keysDown.set(e.code, keyName);
  if (!['Shift', 'Control', 'Alt'].includes(keyName)) actionStarted();
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
  if (!text) return;
  actionStarted();
  send({ type: 'text', text });
}
keys.addEventListener('input', (e) => { if (!e.isComposing) sendTyped(); });
keys.addEventListener('compositionend', sendTyped);

// Where the keys go is shown twice: the box around the screen while it has them, and a mark around the
// control that has the focus on the screen.
keys.addEventListener('focus', () => screenBox.classList.add('keys'));
keys.addEventListener('blur', () => {
  screenBox.classList.remove('keys');
  // Keys held when the screen loses the keys are released, so none stays down in the dialogs.
  for (const keyName of keysDown.values()) send({ type: 'keyup', key: keyName });
  keysDown.clear();
});
screenBox.addEventListener('mousedown', (e) => {
  if (e.target === screenBox || e.target === nothing) keys.focus({ preventScroll: true });
});

// ---- The view ------------------------------------------------------------------------------------------

let version = 0;
let frameAsked = -1;
let latestView = null;
window.workbenchView = null;

// Text with the last action's lines marked, kept scrolled to its end when it was there.
function setText(pre, before, last) {
  if (pre.dataset.before === before && pre.dataset.last === last) return;
  const atEnd = pre.scrollTop + pre.clientHeight >= pre.scrollHeight - 4;
  pre.dataset.before = before;
  pre.dataset.last = last;
  pre.textContent = before;
  if (last) {
    const mark = document.createElement('span');
    mark.className = 'last';
    mark.title = 'Written by the last action';
    mark.textContent = last;
    pre.append(mark);
  }
  if (atEnd || last) pre.scrollTop = pre.scrollHeight;
}

function findWindow(list, handle) {
  for (const w of list || []) {
    if (w.handle === handle) return w;
    const inner = findWindow(w.children, handle);
    if (inner) return inner;
  }
  return null;
}

function placeFocusMark() {
  const tree = latestView && latestView.tree;
  const focused = tree && tree.focus ? findWindow(tree.windows, tree.focus) : null;
  if (!focused || !focused.visible || shownCrop.width === 0) {
    focusMark.style.width = '0px';
    focusMark.style.visibility = 'hidden';
    return;
  }
  const [left, top, right, bottom] = focused.rect;
  focusMark.style.visibility = 'visible';
  focusMark.style.left = `${left - shownCrop.x}px`;
  focusMark.style.top = `${top - shownCrop.y}px`;
  focusMark.style.width = `${right - left}px`;
  focusMark.style.height = `${bottom - top}px`;
}

function showFiles(files) {
  const key = JSON.stringify(files);
  if (fileList.dataset.key === key) return;
  fileList.dataset.key = key;
  fileList.replaceChildren();
  if (!files.length) {
    const item = document.createElement('li');
    item.className = 'hint';
    item.textContent = 'None yet: what the dialogs save in the library shows here.';
    fileList.append(item);
    return;
  }
  for (const f of files) {
    const item = document.createElement('li');
    if (f.state === 'removed') {
      item.textContent = f.path;
    } else {
      const link = document.createElement('a');
      link.href = '/file?path=' + encodeURIComponent(f.path);
      link.download = f.path.split('/').pop();
      link.textContent = f.path;
      item.append(link);
    }
    const state = document.createElement('span');
    state.className = 'state';
    state.textContent = f.state === 'removed' ? '(removed)' : `(${f.state}, ${f.size} bytes)`;
    item.append(state);
    fileList.append(item);
  }
}

// A picture is asked for by number; its crop is taken when it has arrived, so that clicks on it land
// where it shows them.
let pendingCrop = null;
screen.addEventListener('load', () => {
  if (pendingCrop) shownCrop = pendingCrop;
  pendingCrop = null;
  screen.dataset.frame = screen.dataset.asked;
  screen.dataset.crop = `${shownCrop.x},${shownCrop.y},${shownCrop.width},${shownCrop.height}`;
  placeFocusMark();
  pictureShown();
});

function show(view) {
  version = view.version;
  latestView = view;
  window.workbenchView = view;
  const crop = view.screen || { x: 0, y: 0, width: 0, height: 0 };
  const hasScreen = crop.width > 0 && crop.height > 0;
  screen.classList.toggle('hidden', !hasScreen);
  nothing.style.display = hasScreen ? 'none' : '';
  if (!hasScreen && view.waiting && view.waiting.startsWith('pick')) {
    nothing.textContent = 'The dialog is hidden while it waits for a pick in the drawing (' + view.waiting + ').';
  } else if (!hasScreen) {
    nothing.textContent = 'No dialog is open. Choose one on the left.';
  }
  if (view.frame !== frameAsked) {
    frameAsked = view.frame;
    pendingCrop = crop;
    screen.dataset.asked = String(view.frame);
    screen.src = '/frame.png?frame=' + view.frame;
  }
  placeFocusMark();
  setText(commandLine, view.commandLine || '', view.commandLineLast || '');
  setText(journal, view.journal || '', view.journalLast || '');
  showFiles(view.files || []);
  statusLine.textContent = view.open ? 'Open: ' + view.open + ' (waiting for: ' + view.waiting + ')'
                                     : (view.status || 'Choose a dialog on the left');
  for (const button of groupList.querySelectorAll('button')) button.disabled = Boolean(view.open);
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

// ---- The start page ------------------------------------------------------------------------------------

async function open(name, title) {
  showMessage('', true);
  actionStarted();
  try {
    const answer = await fetch('/open?name=' + encodeURIComponent(name), { method: 'POST', headers });
    if (!answer.ok) showMessage(await errorOf(answer), false);
    else showMessage('Opened ' + title, true);
  } catch (e) {
    showMessage('The workbench does not answer: ' + e.message, false);
  }
  keys.focus({ preventScroll: true });
}

resetButton.addEventListener('click', async () => {
  resetButton.disabled = true;
  showMessage('Starting again…', true);
  try {
    const answer = await fetch('/reset', { method: 'POST', headers });
    if (!answer.ok) showMessage(await errorOf(answer), false);
    else showMessage('Started again on a fresh copy of the sample library', true);
  } catch (e) {
    showMessage('The workbench does not answer: ' + e.message, false);
  }
  resetButton.disabled = false;
});

async function listDialogs() {
  try {
    const answer = await fetch('/dialogs', { cache: 'no-store' });
    const { groups } = await answer.json();
    for (const g of groups) {
      const box = document.createElement('details');
      box.open = true;
      box.dataset.group = g.key;
      const summary = document.createElement('summary');
      summary.textContent = g.title + ' ';
      const count = document.createElement('span');
      count.className = 'count';
      count.textContent = `(${g.dialogs.length})`;
      summary.append(count);
      const purpose = document.createElement('p');
      purpose.className = 'group-purpose';
      purpose.textContent = g.purpose;
      const list = document.createElement('ul');
      for (const d of g.dialogs) {
        const item = document.createElement('li');
        const button = document.createElement('button');
        button.textContent = d.title;
        button.dataset.name = d.name;
        button.title = `${d.name}, dialog template ${d.template}`;
        const name = document.createElement('span');
        name.className = 'name';
        name.textContent = d.name;
        button.append(name);
        button.addEventListener('click', () => open(d.name, d.title));
        const what = document.createElement('span');
        what.className = 'purpose';
        what.textContent = d.purpose;
        item.append(button, what);
        list.append(item);
      }
      box.append(summary, purpose, list);
      groupList.append(box);
    }
  } catch (e) {
    showMessage('The list of dialogs could not be read: ' + e.message, false);
  }
}

listDialogs();
follow();
