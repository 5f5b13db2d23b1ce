// The Tavomerix calendar for JavaScript: the core compiled to WebAssembly (tavomerix_web.mjs,
// made by scripts/build-web). Every result comes from the core or from the command line run
// in-process; this file only turns arguments into calls and results into plain objects.
import createTavomerixModule from './tavomerix_web.mjs';

// "Y-M-D" as the command line reads it; the year is astronomical and may be negative.
function dateArgument(date) {
  if (typeof date === 'string') return date;
  if (date && Number.isInteger(date.year) && Number.isInteger(date.month) &&
      Number.isInteger(date.day)) {
    return `${date.year}-${date.month}-${date.day}`;
  }
  throw new TypeError('a date is "Y-M-D" or {year, month, day}');
}

// A lunar date argument: leap months as "Y-闰M-D".
function lunarDateArgument(date) {
  if (typeof date === 'string') return date;
  if (date && Number.isInteger(date.year) && Number.isInteger(date.month) &&
      Number.isInteger(date.day)) {
    return `${date.year}-${date.leap ? '闰' : ''}${date.month}-${date.day}`;
  }
  throw new TypeError('a lunar date is "Y-M-D", "Y-闰M-D" or {year, month, day, leap}');
}

// A failed command line as an Error carrying its message and exit status.
// The 子-hour option: 'early' (the day turns at 23:00) or 'late' (at midnight, the default).
function ziOptions(zi) {
  if (zi === undefined) return [];
  if (zi === 'early' || zi === 'late') return [`--${zi}-zi`];
  throw new TypeError('zi is "early" or "late"');
}

// A clock time "H:M" or "H:M:S" as the command line reads it.
function timeArgument(time) {
  if (typeof time === 'string') return time;
  if (time && Number.isInteger(time.hour) && Number.isInteger(time.minute)) {
    return `${time.hour}:${time.minute}:${time.second ?? 0}`;
  }
  throw new TypeError('a time is "H:M", "H:M:S" or {hour, minute, second}');
}

class TavomerixError extends Error {
  constructor(result) {
    super(result.err.trim() || `exit status ${result.exitCode}`);
    this.name = 'TavomerixError';
    this.exitCode = result.exitCode;
  }
}

function todayOf(clock) {
  const now = clock();
  return [now.getFullYear(), now.getMonth() + 1, now.getDate()];
}

class Calendar {
  #module;
  #zone;
  #modern;
  #clock;

  constructor(module, { timeZone = 8, modern = false, clock = () => new Date() } = {}) {
    if (!Number.isInteger(timeZone) || timeZone < -12 || timeZone > 12) {
      throw new RangeError('timeZone is a whole number of hours, -12..12');
    }
    this.#module = module;
    this.#zone = timeZone;
    this.#modern = Boolean(modern);
    this.#clock = clock;
  }

  get timeZone() { return this.#zone; }
  get modern() { return this.#modern; }

  // The command line (arguments without the program name, the command first) in this
  // calendar's zone and regime: {exitCode, out, err}. The zone and regime options go right
  // after the command, before any "--".
  run(args, options = []) {
    const settings = [...options, '--tz', String(this.#zone)];
    if (this.#modern) settings.push('--modern');
    const argv = args.length > 0 ? [args[0], ...settings, ...args.slice(1)] : settings;
    return this.#module.runCli(argv, ...todayOf(this.#clock));
  }

  // The JSON a command prints, parsed; a TavomerixError when it fails.
  #json(args) {
    const result = this.run(args, ['--format', 'json']);
    if (result.exitCode !== 0) throw new TavomerixError(result);
    return JSON.parse(result.out);
  }

  solarToLunar(year, month, day) {
    const lunar = this.#module.solarToLunar(year, month, day, this.#zone, this.#modern);
    return lunar.month === 0 ? null : lunar;
  }

  lunarDateOfDay(dayNumber) {
    const lunar = this.#module.lunarDateOfDay(dayNumber, this.#zone, this.#modern);
    return lunar.month === 0 ? null : lunar;
  }

  lunarToSolar(year, month, day, leap = false) {
    const civil = this.#module.lunarToSolar(year, month, day, Boolean(leap), this.#zone,
                                            this.#modern);
    return civil.month === 0 ? null : civil;
  }

  dayView(date, { lunar = false, lichun = false, era = false, hijri = false } = {}) {
    const args = ['day', lunar ? lunarDateArgument(date) : dateArgument(date)];
    if (lunar) args.push('--lunar');
    if (lichun) args.push('--lichun');
    if (era) args.push('--era');
    if (hijri) args.push('--hijri');
    return this.#json(args);
  }

  dayViewText(date, options = {}) {
    const args = ['day', options.lunar ? lunarDateArgument(date) : dateArgument(date)];
    for (const flag of ['lunar', 'lichun', 'era', 'hijri', 'almanac']) {
      if (options[flag]) args.push(`--${flag}`);
    }
    const result = this.run(args);
    if (result.exitCode !== 0) throw new TavomerixError(result);
    return result.out;
  }

  almanac(date, { lunar = false, zi } = {}) {
    const args = ['almanac', lunar ? lunarDateArgument(date) : dateArgument(date), ...ziOptions(zi)];
    if (lunar) args.push('--lunar');
    return this.#json(args);
  }

  // The four pillars of a moment; with a longitude (degrees east) in true solar time there.
  pillars(date, time, { longitude, zi } = {}) {
    const args = ['pillars', ...ziOptions(zi)];
    if (longitude !== undefined) {
      if (typeof longitude !== 'number' || !Number.isFinite(longitude)) {
        throw new TypeError('longitude is a number of degrees east');
      }
      args.push(`--longitude=${longitude}`);
    }
    return this.#json([...args, '--', dateArgument(date), timeArgument(time)]);
  }

  ganzhi(date, { lunar = false, lichun = false } = {}) {
    const args = ['ganzhi', lunar ? lunarDateArgument(date) : dateArgument(date)];
    if (lunar) args.push('--lunar');
    if (lichun) args.push('--lichun');
    return this.#json(args);
  }

  month(year, month) {
    const grid = this.#json(['cal', '--', String(year), String(month)]);
    const text = this.run(['cal', '--', String(year), String(month)], ['--color=never']);
    grid.title = text.out.split('\n', 1)[0].trim();
    return grid;
  }

  terms(first, last = first) {
    return this.#json(['terms', '--', String(first), String(last)]);
  }

  termInstants(year) {
    return this.#module.termsOfYear(year, this.#zone, this.#modern);
  }

  moonPhases(first, last = first) {
    return this.#json(['moons', '--', String(first), String(last)]);
  }

  lunarMonths(first, last = first) {
    return this.#json(['months', '--', String(first), String(last)]);
  }

  lunarYear(year) {
    return this.#module.lunarYear(year, this.#zone, this.#modern);
  }

  records(first, last = first) {
    return this.#json(['records', '--', String(first), String(last)]);
  }

  ics({ from, years = 1, festivals = true, terms = true, moons = false } = {}) {
    const args = ['ics', '--from', String(from ?? todayOf(this.#clock)[0]),
                  '--years', String(years)];
    if (festivals) args.push('--festivals');
    if (terms) args.push('--terms');
    if (moons) args.push('--moons');
    const result = this.run(args);
    if (result.exitCode !== 0) throw new TavomerixError(result);
    return result.out;
  }
}

// Loads the WebAssembly module once; resolves to the library's entry points.
export async function loadTavomerix() {
  const module = await createTavomerixModule();
  return {
    calendar: (options) => new Calendar(module, options),
    julianDayNumber: (year, month, day) => module.julianDayNumber(year, month, day),
    civilDateOfDay: (dayNumber) => {
      const civil = module.civilDateOfDay(dayNumber);
      return civil.month === 0 ? null : civil;
    },
    holidayStatus: (date) => module.holidayStatus(
      typeof date === 'number' ? date : module.julianDayNumber(date.year, date.month, date.day)),
    yearHolidays: (year) => module.yearHolidays(year),
  };
}

export { TavomerixError };
