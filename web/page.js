'use strict';
// The page's side of the window: it makes the elements the module describes
// and reads and writes them for it, and hands the module the user's clicks.
// It knows them by their names alone; places, texts, fonts, colours, reading
// order and the first focus all come from the module.
(() => {
  const win = document.getElementById('window');
  const elements = new Map([['', win]]);
  const cells = [], captions = [], modes = [];
  const decoder = new TextDecoder(), encoder = new TextEncoder();
  let module, windowWidth = 0, first = null, row = {};
  const text = (at, size) => decoder.decode(new Uint8Array(module.memory.buffer, at, size));
  const byId = (at, size) => elements.get(text(at, size));
  const words = element => element.tagName === 'INPUT' ? element.value : element.textContent;
  // A colour of the tool's goes by a property that the style may darken
  // where more contrast is asked for; elsewhere it is the colour itself.
  const cssColor = rgb => (hex => `var(--c${hex}, #${hex})`)(rgb.toString(16).padStart(6, '0'));

  function make(tag, className, content) {
    const element = document.createElement(tag);
    element.className = className;
    if (content) element.textContent = content;
    return element;
  }

  function makeFrame(row) {
    const frame = make('div', 'frame');
    const caption = make('span', 'caption', row.text);
    caption.id = row.id + '-caption';
    frame.setAttribute('role', 'group');
    frame.setAttribute('aria-labelledby', caption.id);
    frame.append(caption);
    return frame;
  }

  // Each mode button is a tab stop of its own, as on the desktop, so each
  // has its own group name and the buttons are kept exclusive here.
  function makeOption(row) {
    const option = make('label', 'option');
    const input = document.createElement('input');
    const index = Number(row.index);
    Object.assign(input, { type: 'radio', name: row.id, id: row.id, checked: 'checked' in row });
    input.setAttribute('aria-posinset', String(index + 1));
    input.addEventListener('change', () => {
      if (!input.checked) return;
      for (const other of modes) other.checked = other === input;
      module.modeClick(index);
    });
    // Arrow keys go to the next or the previous button and select it, as in
    // a desktop group.
    input.addEventListener('keydown', event => {
      const step = { ArrowRight: 1, ArrowDown: 1, ArrowLeft: -1, ArrowUp: -1 }[event.key];
      if (!step) return;
      event.preventDefault();
      const next = modes[(index + step + modes.length) % modes.length];
      next.focus();
      next.click();
    });
    modes[index] = input;
    elements.set(row.id, input); // a mode's id is on its button
    option.append(input, row.text);
    return option;
  }

  function makeLabel(row) {
    const label = make('div', 'label', row.text);
    if (row.index !== undefined) captions[row.index] = label;
    return label;
  }

  function makeCell(row) {
    const cell = make('button', 'cell', row.text);
    cell.type = 'button';
    cell.tabIndex = -1;
    cell.bit = Number(row.index);
    cells.push(cell);
    return cell;
  }

  function makeBox(row) {
    const box = make('input', 'box');
    Object.assign(box, { type: 'text', readOnly: true, spellcheck: false });
    box.setAttribute('aria-label', row.label);
    box.setAttribute('autocomplete', 'off');
    if (row.select === 'tab') {
      // The keyboard's focus selects the whole address, so Ctrl+C copies
      // it; a pointer places the caret, as in any text field.
      let pointer = false;
      box.addEventListener('pointerdown', () => { pointer = true; });
      box.addEventListener('focus', () => { if (!pointer) box.select(); pointer = false; });
      box.addEventListener('blur', () => { pointer = false; });
    }
    return box;
  }

  const MAKERS = { frame: makeFrame, option: makeOption, label: makeLabel, cell: makeCell, box: makeBox };

  const page = {
    window(title, titleSize, width, height) {
      document.title = text(title, titleSize);
      windowWidth = width;
      Object.assign(win.style, { width: width + 'px', height: height + 'px' });
    },
    property(key, keySize, value, valueSize) { row[text(key, keySize)] = text(value, valueSize); },
    number(key, keySize, value) { row[text(key, keySize)] = value; },
    element() {
      const element = MAKERS[row.kind](row);
      if (!elements.has(row.id)) elements.set(row.id, Object.assign(element, { id: row.id }));
      element.classList.add('font-' + row.font);
      Object.assign(element.style, {
        left: row.left + 'px', top: row.top + 'px', width: row.width + 'px', height: row.height + 'px',
        textAlign: row.align,
      });
      elements.get(row.in).append(element);
      row = {};
    },
    font(role, roleSize, family, familySize, hundredths, bold) {
      const face = text(family, familySize);
      win.style.setProperty(`--font-${text(role, roleSize)}`,
                            `${bold ? 'bold ' : ''}${hundredths / 100}pt${face ? ` "${face}"` : ''}`);
    },
    setColor(target, targetSize, rgb) {
      const name = text(target, targetSize);
      if (name.startsWith('--')) win.style.setProperty(name, cssColor(rgb));
      else elements.get(name).style.color = cssColor(rgb);
    },
    setText(id, idSize, at, size) {
      const element = byId(id, idSize);
      element[element.tagName === 'INPUT' ? 'value' : 'textContent'] = text(at, size);
    },
    setLabel(id, idSize, at, size) {
      const element = byId(id, idSize), name = text(at, size);
      if (name) element.setAttribute('aria-label', name);
      else element.removeAttribute('aria-label');
    },
    textOf(id, idSize, out, capacity) {
      const into = new Uint8Array(module.memory.buffer, out, capacity);
      return encoder.encodeInto(words(byId(id, idSize)), into).written;
    },
    // Taken once the window shows: a hidden element cannot hold focus.
    focus(id, idSize) { first = byId(id, idSize); },
  };

  // A press on a cell neither focuses nor selects it: cells answer the
  // mouse alone.
  win.addEventListener('mousedown', event => {
    if (event.target.closest('.cell')) event.preventDefault();
  });
  // On the desktop the second press of a double click is no click, but the
  // third press is a click again; a press from the keyboard or a screen
  // reader counts as none at all.
  win.addEventListener('click', event => {
    const cell = event.target.closest('.cell');
    if (cell && (event.detail === 0 || event.detail % 2 === 1)) module.cellClick(cell.bit);
  });

  // For a finger the bits wrap into rows of two groups of four, in the
  // table's order and groups: by their left edge, a new group wherever the
  // table leaves more than a cell's pitch.
  function arrange() {
    const lefts = cells.map(cell => [parseFloat(cell.style.left), cell]).sort((a, b) => a[0] - b[0]);
    const pitch = Math.min(...lefts.slice(1).map(([left], n) => left - lefts[n][0]));
    let group = 0, column = 0;
    lefts.forEach(([left, cell], n) => {
      if (n && left - lefts[n - 1][0] > pitch) ++group, column = 0;
      const place = { gridColumn: String((group % 2) * 5 + ++column) };
      Object.assign(captions[cell.bit].style, place, { gridRow: String((group >> 1) * 2 + 1) });
      Object.assign(cell.style, place, { gridRow: String((group >> 1) * 2 + 2) });
    });
    smallest = Math.min(...cells.map(cell => parseFloat(cell.style.width)));
  }

  // With a mouse, a window narrower than the screen shrinks to fit; asking
  // the media query first spares a wide screen a layout before the first
  // paint. For a finger it grows to the width, up to twice, and where its
  // cells would still be under 24 px it lays itself out for the screen.
  const TARGET = 24, coarse = matchMedia('(pointer: coarse)');
  let smallest = 0;
  function fit() {
    const touch = coarse.matches;
    const scale = touch || matchMedia(`(max-width: ${windowWidth - 1}px)`).matches
      ? document.documentElement.clientWidth / windowWidth : 1;
    // A finger's zoom goes down to a 64th, which Firefox rounds it to
    // anyway; to the nearest, it would draw the window wider than the screen.
    const grown = Math.floor(Math.min(2, scale) * 64) / 64;
    const wrap = touch && grown * smallest < TARGET;
    win.classList.toggle('wrap', wrap);
    const zoom = wrap ? 1 : touch ? grown : scale;
    win.style.zoom = zoom === 1 ? '' : String(zoom);
  }

  // Cell borders stay one device pixel at any zoom, as on the desktop.
  function hairline() {
    document.documentElement.style.setProperty('--line', `${1 / devicePixelRatio}px`);
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', hairline, { once: true });
  }

  try {
    const code = atob('@MODULE@'), bytes = new Uint8Array(code.length);
    for (let i = 0; i < code.length; ++i) bytes[i] = code.charCodeAt(i);
    module = new WebAssembly.Instance(new WebAssembly.Module(bytes), { page }).exports;
    module.start();
  } catch (error) {
    win.remove(); // the sentence stays: no half-made window
    return;
  }
  document.getElementById('needs').remove();
  win.hidden = false;
  for (const mode of modes) mode.setAttribute('aria-setsize', String(modes.length));
  hairline();
  arrange();
  fit();
  if (first) first.focus();
  addEventListener('resize', fit);
  coarse.addEventListener('change', fit);
})();
