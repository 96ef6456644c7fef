#include "portal/PortalAssets.h"

const char PortalAssets::kStylesheet[] = R"CSS(
:root { --ink: #1d2733; --muted: #5d6875; --line: #d3dae2; --head: #e3ebf4; --accent: #1f5f99;
        --page: #f5f7f9; --bar: #1b3a57; }
* { box-sizing: border-box; }
body { margin: 0; font: 15px/1.45 system-ui, -apple-system, "Segoe UI", Roboto, sans-serif;
       color: var(--ink); background: var(--page); }
header.top { background: var(--bar); color: #fff; padding: .55rem 1rem; display: flex;
             gap: 1.2rem; align-items: baseline; flex-wrap: wrap; }
header.top a { color: #fff; text-decoration: none; }
header.top a.home { font-weight: 700; font-size: 1.05rem; }
main { max-width: 84rem; margin: 0 auto; padding: 1rem; }
h1 { font-size: 1.45rem; margin: .3rem 0 .2rem; }
h2 { font-size: 1.12rem; margin: 1.3rem 0 .5rem; }
a { color: var(--accent); }
.meta { color: var(--muted); font-size: .9rem; }
form.search { display: flex; gap: .5rem; flex-wrap: wrap; }
form.search input { flex: 1 1 16rem; font-size: 1.05rem; padding: .45rem .6rem;
                    border: 1px solid #97a5b3; border-radius: 4px; }
select, button, input { font: inherit; }
select { padding: .4rem; border: 1px solid #97a5b3; border-radius: 4px; background: #fff; }
button, a.button { background: var(--accent); color: #fff; border: 0; border-radius: 4px;
                   padding: .4rem .8rem; cursor: pointer; text-decoration: none; display: inline-block; }
a.button.quiet { background: #e3ebf4; color: var(--accent); }
ol.results { list-style: none; padding: 0; margin: .6rem 0 0; }
ol.results li { padding: .4rem .1rem; border-top: 1px solid var(--line); display: flex;
                flex-wrap: wrap; gap: 0 .8rem; align-items: baseline; }
ol.results a { font-weight: 600; min-width: 9rem; }
ul.plain { list-style: none; padding: 0; margin: 0; }
ul.plain li { padding: .25rem 0; }
ul.inline { list-style: none; padding: 0; margin: 0; display: flex; flex-wrap: wrap; gap: .3rem .9rem; }
.links { display: flex; gap: .5rem; flex-wrap: wrap; margin: .7rem 0; }
.outcome { padding: .6rem .9rem; border-radius: 6px; border-left: 5px solid; margin: .8rem 0;
           white-space: pre-line; }
.outcome.failed { background: #fdecea; border-color: #c0392b; }
.outcome.message { background: #fff5dc; border-color: #d68910; }
.outcome.skipped { background: #eef2f6; border-color: #7f8c8d; }
.sheet { margin: 1.2rem 0; }
.band { display: flex; flex-wrap: wrap; gap: .8rem 1.6rem; align-items: flex-start; margin: 0 0 1rem; }
.scroll { overflow-x: auto; max-width: 100%; }
table { border-collapse: collapse; background: #fff; font-size: .88rem; }
caption { text-align: left; font-weight: 700; padding: .2rem 0 .3rem; }
th, td { border: 1px solid var(--line); padding: .2rem .55rem; vertical-align: top; text-align: left; }
th, td.s-header { background: var(--head); font-weight: 600; }
td.num { text-align: right; font-variant-numeric: tabular-nums; }
td.s-value.num { text-align: left; }
nav.sheets { display: flex; flex-wrap: wrap; gap: .3rem 1rem; margin: .4rem 0; font-size: .92rem; }
nav.sheets::before { content: "Sheets:"; color: var(--muted); }
td.s-label { font-weight: 600; background: #f3f6f9; }
td.s-title { font-size: 1.25rem; font-weight: 700; }
td.s-note { color: var(--muted); font-style: italic; }
td.s-unit { text-align: center; white-space: pre-line; min-width: 3.6rem; font-size: .8rem;
            border: 1px solid #4a5663; }
table.loose, table.loose td { border: 0; background: transparent; }
table.loose td { padding: .05rem .9rem .05rem 0; }
table.index td { white-space: pre-line; }
table.index td.outcome-failed { color: #b03a2e; font-weight: 600; }
table.index td.outcome-message { color: #a66d00; font-weight: 600; }
tr.blank td { border: 0; height: .8rem; background: transparent; }
progress { width: 100%; height: 1.1rem; }
.counts span { margin-right: 1.1rem; }
details { margin: .8rem 0; }
details summary { cursor: pointer; font-weight: 600; }
.pages { margin: .6rem 0; display: flex; gap: .8rem; flex-wrap: wrap; }
@media (max-width: 640px) {
  main { padding: .6rem; }
  table { font-size: .8rem; }
  h1 { font-size: 1.2rem; }
}
)CSS";

const char PortalAssets::kScript[] = R"JS(
// Search as you type on the home page, and the live progress of a batch.
(function () {
  'use strict';

  function el(tag, text, href) {
    const node = document.createElement(tag);
    if (text !== undefined) node.textContent = text;
    if (href) node.href = href;
    return node;
  }

  function initSearch(form) {
    const input = form.elements.q;
    const entity = form.elements.entity;
    const list = document.getElementById('results');
    const count = document.getElementById('count');
    let timer = 0;
    let latest = 0;

    function show(data) {
      list.replaceChildren();
      for (const m of data.matches) {
        const item = el('li');
        item.append(el('a', m.name, '/element/' + m.id));
        const meta = el('span', m.entity + ' \u00b7 ' + m.mapName + ' \u00b7 ' + m.id);
        meta.className = 'meta';
        item.append(meta);
        list.append(item);
      }
      count.textContent = data.total === 0 ? 'Nothing found.' :
          data.total > data.matches.length ?
              data.total + ' found; the first ' + data.matches.length + ' shown.' :
              data.total + ' found.';
    }

    function search() {
      const q = input.value.trim();
      const params = new URLSearchParams({ q: q, entity: entity.value });
      history.replaceState(null, '', q ? '#' + params : location.pathname);
      if (!q) { list.replaceChildren(); count.textContent = ''; return; }
      const mine = ++latest;
      fetch('/search?' + params, { credentials: 'same-origin' })
        .then(function (r) { return r.ok ? r.json() : Promise.reject(new Error('status ' + r.status)); })
        .then(function (data) { if (mine === latest) show(data); })
        .catch(function (e) { if (mine === latest) count.textContent = 'Search failed: ' + e.message; });
    }

    input.addEventListener('input', function () { clearTimeout(timer); timer = setTimeout(search, 100); });
    entity.addEventListener('change', search);
    form.addEventListener('submit', function (e) { e.preventDefault(); search(); });
    // A search kept in the address (#q=...&entity=...) runs again, so that the
    // back button and bookmarks show it.
    const kept = new URLSearchParams(location.hash.slice(1));
    if (kept.get('q')) {
      input.value = kept.get('q');
      entity.value = kept.get('entity') || '';
      search();
    }
  }

  function initProgress(bar) {
    const url = bar.dataset.url;
    function poll() {
      fetch(url, { credentials: 'same-origin' })
        .then(function (r) { return r.json(); })
        .then(function (p) {
          bar.value = p.done;
          for (const key of ['done', 'written', 'skipped', 'messages', 'failed']) {
            const span = document.getElementById('count-' + key);
            if (span) span.textContent = p[key];
          }
          if (p.done === p.total) location.reload(); else setTimeout(poll, 500);
        })
        .catch(function () { setTimeout(poll, 2000); });
    }
    setTimeout(poll, 500);
  }

  const form = document.getElementById('search');
  if (form) initSearch(form);
  const bar = document.getElementById('batch-progress');
  if (bar && bar.value < bar.max) initProgress(bar);
})();
)JS";
