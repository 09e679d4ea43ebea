'use strict';
// The player's settings: the colours (the system's, dark or light) and the text size,
// kept in localStorage. A classic script in the head, so that they apply before the
// first paint and nothing changes under the player's eyes; the Settings dialog is wired
// once the page is parsed.
(() => {
  const kKey = 'vellumfall.settings';
  const kDefaults = { theme: 'system', size: '100' };
  const root = document.documentElement;

  function load() {
    try {
      return { ...kDefaults, ...JSON.parse(localStorage.getItem(kKey)) };
    } catch {
      return { ...kDefaults };
    }
  }

  function apply({ theme, size }) {
    root.dataset.theme = theme;
    root.style.fontSize = `${Number(size) || 100}%`;
  }

  let settings = load();
  apply(settings);

  document.addEventListener('DOMContentLoaded', () => {
    const dialog = document.getElementById('settings');
    const opener = document.getElementById('settings-button');
    const form = dialog.querySelector('form');
    form.elements.theme.value = settings.theme;
    form.elements.size.value = settings.size;
    opener.addEventListener('click', () => dialog.showModal());
    dialog.addEventListener('close', () => opener.focus());
    form.addEventListener('change', () => {
      settings = { theme: form.elements.theme.value, size: form.elements.size.value };
      apply(settings);
      try {
        localStorage.setItem(kKey, JSON.stringify(settings));
      } catch {
        // Kept for this visit only.
      }
    });
  });
})();
