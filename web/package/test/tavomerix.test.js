// The package against known dates and, with TAVOMERIX_NATIVE set to the native command
// line, against the native build's own output.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { loadTavomerix, TavomerixError } from '../index.js';

const tv = await loadTavomerix();
const native = process.env.TAVOMERIX_NATIVE;
const runNative = (args) => execFileSync(native, args, { encoding: 'utf8' });

test('conversions of known dates, both ways', () => {
  const cases = [
    // civil, lunar [year, month, day, leap]
    [[2024, 2, 10], [2024, 1, 1, false]],
    [[2025, 7, 25], [2025, 6, 1, true]],
    [[2025, 8, 22], [2025, 6, 29, true]],
    [[-103, 2, 22], [-103, 1, 1, false]],
    [[1582, 10, 15], [1582, 9, 19, false]],
    [[9001, 1, 1], null],
    [[2023, 2, 29], null],
  ];
  const calendar = tv.calendar();
  for (const [civil, lunar] of cases) {
    const got = calendar.solarToLunar(...civil);
    if (lunar === null) {
      assert.equal(got, null, `${civil}`);
      continue;
    }
    assert.deepEqual([got.year, got.month, got.day, got.leap], lunar, `${civil}`);
    const back = calendar.lunarToSolar(...lunar);
    assert.deepEqual([back.year, back.month, back.day], civil, `${lunar}`);
  }
  assert.equal(calendar.lunarToSolar(2024, 6, 1, true), null, '2024 has no 闰六月');
  assert.equal(calendar.lunarToSolar(2024, 1, 30), null, '2024 正月 has 29 days');
});

test('a lunar year and its months agree with the months table', () => {
  const calendar = tv.calendar();
  for (const year of [2025, 2033, -103, 1900]) {
    const lunarYear = calendar.lunarYear(year);
    const months = calendar.lunarMonths(year);
    assert.equal(lunarYear.monthCount, months.length, `${year}`);
    assert.deepEqual(lunarYear.monthStarts.slice(0, -1), months.map((m) => m.first_day.jdn));
    assert.equal(lunarYear.leapMonth, months.find((m) => m.leap)?.month ?? 0);
  }
  assert.equal(calendar.lunarYear(9999), null);
});

test('term instants fall on the days of the terms table', () => {
  const calendar = tv.calendar({ timeZone: 0 });
  const instants = calendar.termInstants(2024);
  const terms = calendar.terms(2024);
  assert.equal(instants.length, terms.length);
  for (let i = 0; i < terms.length; ++i) {
    assert.equal(instants[i].number, terms[i].number);
    const day = tv.civilDateOfDay(Math.floor(instants[i].instant));
    const iso = `${day.year}-${String(day.month).padStart(2, '0')}-${String(day.day).padStart(2, '0')}`;
    assert.equal(terms[i].instant.slice(0, 10), iso, terms[i].name);
  }
});

test('holidays of China: days off, working days and ordinary days', () => {
  const cases = [
    [{ year: 2024, month: 2, day: 10 }, '休', '春节'],
    [{ year: 2024, month: 2, day: 4 }, '班', '春节'],
    [{ year: 2024, month: 2, day: 18 }, '班', '春节'],
    [{ year: 2024, month: 3, day: 6 }, '', ''],
    [{ year: 2025, month: 10, day: 6 }, '休', '中秋节、国庆节'],
  ];
  for (const [date, mark, holiday] of cases) {
    const status = tv.holidayStatus(date);
    assert.equal(status.mark, mark, JSON.stringify(date));
    assert.equal(status.holiday, holiday, JSON.stringify(date));
  }
  const spring = tv.yearHolidays(2024).holidays.find((h) => h.name === '春节');
  assert.equal(spring.daysOff.length, 8);
  assert.deepEqual(spring.workingDays, [tv.julianDayNumber(2024, 2, 4), tv.julianDayNumber(2024, 2, 18)]);
});

test('bad input: an Error with the command line\'s message, or a RangeError', () => {
  const calendar = tv.calendar();
  assert.throws(() => calendar.dayView('2024-13-1'), (e) => e instanceof TavomerixError &&
    e.exitCode === 2 && e.message.includes('2024-13-1'));
  assert.throws(() => calendar.dayView({ year: 2024 }), TypeError);
  assert.throws(() => tv.calendar({ timeZone: 13 }), RangeError);
  assert.throws(() => calendar.ics({ from: 1000 }), TavomerixError);
  // No command: today's day view, today from the calendar's clock.
  const fixed = tv.calendar({ clock: () => new Date(2024, 1, 10) });
  assert.equal(fixed.run([]).out, fixed.dayViewText('2024-2-10'));
});

test('the almanac\'s lists and hours, and the pillars of a moment', () => {
  const calendar = tv.calendar();
  const day = calendar.almanac('2024-2-10');
  assert.deepEqual(day.favoured, ['祭祀', '祈福', '会亲友', '裁衣', '经络']);
  assert.equal(day.forbidden[0], '赴任');
  assert.deepEqual(day.hours.map((h) => h.label).join(''), '早子丑寅卯辰巳午未申酉戌亥晚子');
  assert.deepEqual(day.hours.filter((h) => h.yellow_path).map((h) => h.label), ['寅', '辰', '巳', '申', '酉', '亥']);
  assert.equal(calendar.almanac('2024-2-10', { zi: 'early' }).hours.length, 12);
  const p = calendar.pillars({ year: 1990, month: 5, day: 17 }, { hour: 14, minute: 30 }, { longitude: 116.4 });
  assert.equal(p.text, '庚午年 辛巳月 壬午日 丁未时');
  assert.equal(p.true_solar_time.correction_seconds, -643);
  assert.equal(calendar.pillars('1990-05-17', '14:30').true_solar_time, null);
  for (const [time, options, error] of [['25:30', {}, TavomerixError], ['14:30', { longitude: 200 }, TavomerixError],
    ['14:30', { longitude: '116' }, TypeError], ['14:30', { zi: 'middle' }, TypeError], [{ hour: 14 }, {}, TypeError]]) {
    assert.throws(() => calendar.pillars('1990-05-17', time, options), error, JSON.stringify([time, options]));
  }
});

test('results equal the native command line\'s', { skip: !native && 'TAVOMERIX_NATIVE not set' }, () => {
  const cases = [
    // [calendar options, package call, native command line]
    [{}, (c) => c.dayView('2024-2-10'), ['day', '2024-2-10', '--format', 'json']],
    [{}, (c) => c.dayView({ year: 2025, month: 6, day: 1, leap: true }, { lunar: true, era: true }),
      ['day', '--lunar', '2025-闰6-1', '--era', '--format', 'json']],
    [{}, (c) => c.dayView('-103-2-22', { lichun: true }), ['day', '-103-2-22', '--lichun', '--format', 'json']],
    [{ timeZone: -5 }, (c) => c.dayView('2024-2-10'), ['day', '2024-2-10', '--tz', '-5', '--format', 'json']],
    [{ modern: true }, (c) => c.almanac('-100-3-8'), ['almanac', '-100-3-8', '--modern', '--format', 'json']],
    [{}, (c) => c.ganzhi('2024-2-4', { lichun: true }), ['ganzhi', '2024-2-4', '--lichun', '--format', 'json']],
    [{}, (c) => c.month(2025, 7), ['cal', '--format', 'json', '2025', '7']],
    [{}, (c) => c.moonPhases(-500), ['moons', '-500', '--format', 'json']],
    [{}, (c) => c.records(-9997, -9990), ['records', '-9997', '-9990', '--format', 'json']],
    [{}, (c) => c.dayViewText('2024-2-10', { almanac: true }), ['day', '2024-2-10', '--almanac']],
    [{}, (c) => c.almanac('2024-02-10'), ['almanac', '2024-02-10', '--format', 'json']],
    [{}, (c) => c.almanac('2024-2-10', { zi: 'early' }), ['almanac', '2024-2-10', '--early-zi', '--format', 'json']],
    [{}, (c) => c.pillars('1990-05-17', '14:30', { longitude: 116.4 }),
      ['pillars', '1990-05-17', '14:30', '--longitude', '116.4', '--format', 'json']],
    [{ timeZone: -5 }, (c) => c.pillars('-103-2-22', { hour: 23, minute: 30, second: 15 }, { longitude: -74, zi: 'early' }),
      ['pillars', '--tz', '-5', '--longitude=-74', '--early-zi', '--format', 'json', '--', '-103-2-22', '23:30:15']],
  ];
  for (const [options, call, args] of cases) {
    const got = call(tv.calendar(options));
    const out = runNative(args);
    if (typeof got === 'string') {
      assert.equal(got, out, args.join(' '));
    } else {
      const expected = JSON.parse(out);
      if (got.title !== undefined) expected.title = got.title;
      assert.deepEqual(got, expected, args.join(' '));
    }
  }
  const title = runNative(['cal', '--', '-103', '2']).split('\n', 1)[0].trim();
  assert.equal(tv.calendar().month(-103, 2).title, title);
});
