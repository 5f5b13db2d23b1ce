// The page: a month grid and a day panel over the tavomerix package. Every date, name and
// text shown comes from the package (the core and the command line compiled to
// WebAssembly); this file only lays them out and reacts to the user.
import { loadTavomerix } from './package/index.js';

// The years the day views cover.
const FirstYear = -8999;
const LastYear = 9000;
const WeekdayNames = ['星期一', '星期二', '星期三', '星期四', '星期五', '星期六', '星期日'];

const $ = (id) => document.getElementById(id);
const tv = await loadTavomerix();
const now = new Date();
const today = { year: now.getFullYear(), month: now.getMonth() + 1, day: now.getDate() };
const state = {
  calendar: tv.calendar(),
  year: today.year,
  month: today.month,
  selected: { ...today },
  days: [],  // the shown month's days, as the cal command gives them
  zi: 'late',  // the 子-hour convention of the hours shown
};

const dateText = (d) => `${d.year}-${d.month}-${d.day}`;
const sameDay = (a, b) => a.year === b.year && a.month === b.month && a.day === b.day;

function fillSelectors() {
  for (let m = 1; m <= 12; ++m) $('month').add(new Option(`${m}月`, String(m)));
  for (let z = -12; z <= 12; ++z) {
    $('zone').add(new Option(z === 0 ? 'UTC' : `UTC${z > 0 ? '+' : ''}${z}`, String(z)));
  }
  $('zone').value = '8';
}

function cell(day) {
  const element = document.createElement('div');
  element.className = 'day';
  element.setAttribute('role', 'gridcell');
  element.dataset.date = dateText(day.civil);
  const column = WeekdayNames.indexOf(day.civil.weekday);
  if (column >= 5) element.classList.add('weekend');
  if (day.lunar.day === 1) element.classList.add('month-start');
  if (day.term) element.classList.add('term');
  if (sameDay(day.civil, today)) element.classList.add('today');
  const civil = document.createElement('span');
  civil.className = 'civil';
  civil.textContent = String(day.civil.day);
  const mark = document.createElement('span');
  mark.className = 'mark';
  mark.textContent = day.mark;
  element.append(civil, mark);
  if (day.festivals.length > 0) {
    const festival = document.createElement('span');
    festival.className = 'festival';
    festival.textContent = day.festivals.join(' ');
    element.title = day.festivals.join('、');
    element.append(festival);
  }
  const status = tv.holidayStatus(day.civil.jdn);
  if (status.mark) {
    const badge = document.createElement('span');
    badge.className = `status ${status.mark === '班' ? 'work' : 'off'}`;
    badge.textContent = status.mark;
    element.append(badge);
  }
  element.addEventListener('click', () => select(day.civil));
  return element;
}

function renderMonth() {
  const grid = state.calendar.month(state.year, state.month);
  state.days = grid.days;
  $('title').textContent = grid.title;
  $('year').value = String(state.year);
  $('month').value = String(state.month);
  const cells = [];
  const first = WeekdayNames.indexOf(grid.days[0].civil.weekday);
  for (let i = 0; i < first; ++i) {
    const blank = document.createElement('div');
    blank.className = 'blank';
    cells.push(blank);
  }
  for (const day of grid.days) cells.push(cell(day));
  $('grid').replaceChildren(...cells);
  $('prev-year').disabled = state.year <= FirstYear;
  $('next-year').disabled = state.year >= LastYear;
  $('prev-month').disabled = state.year <= FirstYear && state.month === 1;
  $('next-month').disabled = state.year >= LastYear && state.month === 12;
  const civilYears = state.year < 1583 || state.year > 9000;
  $('ics').disabled = civilYears;
  $('ics-note').textContent = civilYears ? 'iCalendar 文件只供 1583…9000 年' : '';
  $('month-note').textContent =
    state.year === 1582 && state.month === 10 ? '1582年10月5日至14日不存在（儒略历改格里历）' : '';
}

function renderDay() {
  for (const element of $('grid').querySelectorAll('.day')) {
    element.classList.toggle('selected', element.dataset.date === dateText(state.selected));
  }
  $('day-view').textContent = state.calendar.dayViewText(state.selected);
  const almanac = state.calendar.almanac(state.selected, { zi: state.zi });
  $('almanac').textContent = almanac.lines.join('\n');
  const lists = { favoured: almanac.favoured, forbidden: almanac.forbidden,
                  auspicious: almanac.auspicious_spirits, baleful: almanac.baleful_stars };
  for (const [id, names] of Object.entries(lists)) {
    $(id).textContent = names.length > 0 ? names.join(' ') : '无';
  }
  $('hours').replaceChildren(...almanac.hours.map(hourCell));
  const status = tv.holidayStatus(state.selected);
  $('holiday').textContent = status.mark === '休' ? `休 ${status.holiday}`
    : status.mark === '班' ? `班 ${status.holiday}调休上班` : '';
}

// One 时辰: its name and clock hours, 干支, god and luck; 黄道 hours marked.
function hourCell(hour) {
  const element = document.createElement('div');
  element.className = `hour ${hour.yellow_path ? 'yellow' : 'black'}`;
  element.setAttribute('role', 'listitem');
  element.title = hour.text;
  const parts = [['name', hour.label], ['clock', `${hour.start}–${hour.end}`],
                 ['ganzhi', hour.ganzhi_name], ['spirit', `${hour.spirit_name} ${hour.luck}`]];
  for (const [kind, text] of parts) {
    const part = document.createElement('span');
    part.className = kind;
    part.textContent = text;
    element.append(part);
  }
  return element;
}

// Shows a civil date's month with the date selected.
function select(date) {
  const monthChanged = date.year !== state.year || date.month !== state.month;
  state.selected = { year: date.year, month: date.month, day: date.day };
  state.year = date.year;
  state.month = date.month;
  if (monthChanged) renderMonth();
  renderDay();
}

// The selected day moved by a number of days, within the years shown.
function moveDays(delta) {
  const next = tv.civilDateOfDay(tv.julianDayNumber(state.selected.year, state.selected.month,
                                                    state.selected.day) + delta);
  if (next && next.year >= FirstYear && next.year <= LastYear) select(next);
}

// The same day of another month (its last day when the month is shorter).
function moveMonths(delta) {
  let index = state.year * 12 + (state.month - 1) + delta;
  index = Math.min(Math.max(index, FirstYear * 12), LastYear * 12 + 11);
  const year = Math.floor(index / 12);
  const month = index - year * 12 + 1;
  const days = state.calendar.month(year, month).days;
  const day = days.find((d) => d.civil.day === state.selected.day) ??
    days.findLast((d) => d.civil.day < state.selected.day) ?? days[0];
  select(day.civil);
}

function jumpToDate(event) {
  event.preventDefault();
  $('date-error').textContent = '';
  const lunar = $('date-lunar').checked;
  try {
    const view = state.calendar.dayView($('date').value.trim(), { lunar });
    select(view.civil);
  } catch (error) {
    $('date-error').textContent = `日期有误：${error.message.replace(/^tavomerix: /, '')}`;
  }
}

function changeSettings() {
  state.calendar = tv.calendar({ timeZone: Number($('zone').value),
                                 modern: $('regime').value === 'modern' });
  state.zi = $('zi').value;
  renderMonth();
  renderDay();
}

function downloadIcs() {
  const text = state.calendar.ics({ from: state.year, years: 1 });
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([text], { type: 'text/calendar' }));
  link.download = `tavomerix-${state.year}.ics`;
  link.click();
  URL.revokeObjectURL(link.href);
}

function onKey(event) {
  if (event.target instanceof HTMLInputElement || event.target instanceof HTMLSelectElement) return;
  const keys = {
    ArrowLeft: () => moveDays(-1),
    ArrowRight: () => moveDays(1),
    ArrowUp: () => moveDays(-7),
    ArrowDown: () => moveDays(7),
    PageUp: () => moveMonths(event.shiftKey ? -12 : -1),
    PageDown: () => moveMonths(event.shiftKey ? 12 : 1),
    Home: () => select(today),
  };
  const action = keys[event.key];
  if (action) {
    event.preventDefault();
    action();
  }
}

fillSelectors();
$('prev-year').addEventListener('click', () => moveMonths(-12));
$('next-year').addEventListener('click', () => moveMonths(12));
$('prev-month').addEventListener('click', () => moveMonths(-1));
$('next-month').addEventListener('click', () => moveMonths(1));
$('today').addEventListener('click', () => select(today));
$('jump').addEventListener('submit', (event) => {
  event.preventDefault();
  const year = Math.min(Math.max(Number($('year').value), FirstYear), LastYear);
  select({ year, month: Number($('month').value), day: 1 });
});
$('jump-date').addEventListener('submit', jumpToDate);
$('zone').addEventListener('change', changeSettings);
$('regime').addEventListener('change', changeSettings);
$('zi').addEventListener('change', changeSettings);
$('ics').addEventListener('click', downloadIcs);
document.addEventListener('keydown', onKey);

renderMonth();
renderDay();
// The first render after load, for the browser test and whoever asks.
document.documentElement.dataset.firstRenderMs = String(performance.now().toFixed(1));
document.documentElement.dataset.ready = '1';
