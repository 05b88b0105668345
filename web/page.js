'use strict';
// The page's side of the window: it makes the elements the module asks for
// and reads and writes them for it, and hands the module the user's clicks.
(() => {
  // In the order of Layout::WidgetKind, Layout::Align, Layout::FontRole,
  // Page::Target and OutputBox.
  const KINDS = ['frame', 'option', 'label', 'cell', 'box'];
  const ALIGNS = ['left', 'center', 'right'];
  const FALLBACKS = ['', 'var(--sans)', 'var(--mono)'];
  const TARGETS = ['cell', 'caption', 'box', 'fill', 'border', 'boxText'];
  const BOX_NAMES = ['Lowest address', 'Highest address'];

  const win = document.getElementById('window');
  const parents = [win];
  const cells = [], captions = [], boxes = [], modes = [], fonts = [];
  const decoder = new TextDecoder(), encoder = new TextEncoder();
  let module, windowWidth = 0;
  const text = (at, size) => decoder.decode(new Uint8Array(module.memory.buffer, at, size));
  // A colour of the tool's goes by a property that the style may darken
  // where more contrast is asked for; elsewhere it is the colour itself.
  const cssColor = rgb => (hex => `var(--c${hex}, #${hex})`)(rgb.toString(16).padStart(6, '0'));

  // "Bit 4: 1": the number shown above the cell and its state, as the
  // desktop builds name it.
  function nameCell(bit) {
    const caption = captions[bit] && captions[bit].textContent;
    if (caption) cells[bit].setAttribute('aria-label', `Bit ${caption}: ${cells[bit].textContent}`);
  }

  function make(tag, className, content) {
    const element = document.createElement(tag);
    element.className = className;
    if (content) element.textContent = content;
    return element;
  }

  function makeFrame(name, content, inner) {
    const frame = make('div', 'frame');
    const caption = make('span', 'caption', content);
    caption.id = name + '-caption';
    frame.setAttribute('role', 'group');
    frame.setAttribute('aria-labelledby', caption.id);
    frame.append(caption);
    parents[inner] = frame;
    return frame;
  }

  // Each mode button is a tab stop of its own, as on the desktop, so each
  // has its own group name and the pair is kept exclusive here.
  function makeOption(id, content, index, selected) {
    const option = make('label', 'option');
    const input = document.createElement('input');
    Object.assign(input, { type: 'radio', name: id, id, checked: selected });
    input.setAttribute('aria-setsize', '2');
    input.setAttribute('aria-posinset', String(index + 1));
    input.addEventListener('change', () => {
      if (!input.checked) return;
      for (const other of modes) other.checked = other === input;
      module.modeClick(index);
    });
    // Arrow keys go to the other button and select it, as in a desktop group.
    input.addEventListener('keydown', event => {
      if (!event.key.startsWith('Arrow')) return;
      event.preventDefault();
      modes[1 - index].focus();
      modes[1 - index].click();
    });
    modes[index] = input;
    option.append(input, content);
    return option;
  }

  function makeCell(bit, content) {
    const cell = make('button', 'cell', content);
    cell.type = 'button';
    cell.tabIndex = -1;
    cells[bit] = cell;
    return cell;
  }

  function makeBox(slot) {
    const box = make('input', 'box');
    Object.assign(box, { type: 'text', readOnly: true, spellcheck: false });
    box.setAttribute('aria-label', BOX_NAMES[slot]);
    box.setAttribute('autocomplete', 'off');
    boxes[slot] = box;
    return box;
  }

  const page = {
    window(title, titleSize, width, height) {
      document.title = text(title, titleSize);
      windowWidth = width;
      Object.assign(win.style, { width: width + 'px', height: height + 'px' });
    },
    font(role, family, familySize, pixels, bold) {
      fonts[role] = { family: `"${text(family, familySize)}", ${FALLBACKS[role]}`, pixels, bold };
    },
    widget(kind, parent, slot, name, nameSize, left, top, width, height, content, contentSize, align, font, selected) {
      const base = text(name, nameSize), words = text(content, contentSize), what = KINDS[kind];
      // Elements of an indexed array go by "Name(index)"; a frame's slot and
      // a box's are no index.
      const id = slot >= 0 && what !== 'frame' && what !== 'box' ? `${base}(${slot})` : base;
      let element;
      switch (what) {
        case 'frame': element = makeFrame(id, words, slot); break;
        case 'option': element = makeOption(id, words, slot, selected !== 0); break;
        case 'cell': element = makeCell(slot, words); break;
        case 'box': element = makeBox(slot); break;
        default:
          element = make('div', 'label', words);
          if (slot >= 0) captions[slot] = element;
      }
      if (what !== 'option') element.id = id; // a mode's id is on its button
      Object.assign(element.style, {
        left: left + 'px', top: top + 'px', width: width + 'px', height: height + 'px', textAlign: ALIGNS[align],
      });
      if (fonts[font]) {
        Object.assign(element.style, {
          fontFamily: fonts[font].family, fontSize: fonts[font].pixels + 'px',
          fontWeight: fonts[font].bold ? 'bold' : 'normal',
        });
      }
      // Bits go in reading order, bit 23 first, each caption before its cell,
      // wherever the table puts them.
      element.readAt = slot >= 0 && (what === 'cell' || what === 'label') ? 2 * (23 - slot) + (what === 'cell') : -1;
      const next = element.readAt < 0 ? null : [...parents[parent].children].find(e => e.readAt > element.readAt);
      parents[parent].insertBefore(element, next || null);
    },
    cellText(bit, out, capacity) {
      return encoder.encodeInto(cells[bit].textContent, new Uint8Array(module.memory.buffer, out, capacity)).written;
    },
    setText(target, slot, at, size) {
      const words = text(at, size);
      switch (TARGETS[target]) {
        case 'cell': cells[slot].textContent = words; nameCell(slot); break;
        case 'caption': captions[slot].textContent = words; nameCell(slot); break;
        case 'box': boxes[slot].value = words; break;
      }
    },
    setColor(target, slot, rgb) {
      const color = cssColor(rgb);
      switch (TARGETS[target]) {
        case 'cell': cells[slot].style.color = color; break;
        case 'fill': cells[slot].style.backgroundColor = color; break;
        case 'border': cells[slot].style.borderColor = color; break;
        case 'boxText': boxes[slot].style.color = color; break;
      }
    },
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
    if (cell && (event.detail === 0 || event.detail % 2 === 1)) module.cellClick(cells.indexOf(cell));
  });

  // For a finger the bits wrap into rows of two groups of four, in the
  // table's order and groups: by their left edge, a new group wherever the
  // table leaves more than a cell's pitch.
  function arrange() {
    const lefts = cells.map((cell, bit) => [parseFloat(cell.style.left), bit]).sort((a, b) => a[0] - b[0]);
    const pitch = Math.min(...lefts.slice(1).map(([left], n) => left - lefts[n][0]));
    let group = 0, column = 0;
    lefts.forEach(([left, bit], n) => {
      if (n && left - lefts[n - 1][0] > pitch) ++group, column = 0;
      const place = { gridColumn: String((group % 2) * 5 + ++column) };
      Object.assign(captions[bit].style, place, { gridRow: String((group >> 1) * 2 + 1) });
      Object.assign(cells[bit].style, place, { gridRow: String((group >> 1) * 2 + 2) });
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
  hairline();
  arrange();
  fit();
  addEventListener('resize', fit);
  coarse.addEventListener('change', fit);
})();
