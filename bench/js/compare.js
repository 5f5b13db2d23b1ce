// The JavaScript package side by side with lunar-javascript (pinned in package.json, run
// only as a comparison) on the same work, each measure in a fresh node process:
//   conversions  every civil day 1900-2100 to its lunar date;
//   terms        the 24 solar-term instants of every year 1900-2100;
//   years        the lunar-year structures (months and their sizes) 1900-2100.
// Run scripts/build-web first, then: node bench/js/compare.js [--runs N]
// Prints the milliseconds of each and the ratios (theirs / ours); a comparison, not a test.
import { execFileSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';

const FirstYear = 1900;
const LastYear = 2100;
const works = ['conversions', 'terms', 'years'];

// Every civil day of the span as [year, month, day] (all Gregorian here).
function civilDays() {
  const days = [];
  for (let t = Date.UTC(FirstYear, 0, 1); t <= Date.UTC(LastYear, 11, 31); t += 86400000) {
    const d = new Date(t);
    days.push([d.getUTCFullYear(), d.getUTCMonth() + 1, d.getUTCDate()]);
  }
  return days;
}

async function ours() {
  const { loadTavomerix } = await import('../../web/package/index.js');
  const tv = await loadTavomerix();
  const calendar = tv.calendar();
  return {
    conversions(days) {
      let sum = 0;
      for (const [y, m, d] of days) sum += calendar.solarToLunar(y, m, d).day;
      return sum;
    },
    terms() {
      let sum = 0;
      for (let y = FirstYear; y <= LastYear; ++y) {
        for (const term of calendar.termInstants(y)) sum += term.instant;
      }
      return sum;
    },
    years() {
      let sum = 0;
      for (let y = FirstYear; y <= LastYear; ++y) sum += calendar.lunarYear(y).monthStarts.length;
      return sum;
    },
  };
}

async function theirs() {
  const { Solar, LunarYear } = (await import('lunar-javascript')).default;
  return {
    conversions(days) {
      let sum = 0;
      for (const [y, m, d] of days) sum += Solar.fromYmd(y, m, d).getLunar().getDay();
      return sum;
    },
    terms() {
      let sum = 0;
      for (let y = FirstYear; y <= LastYear; ++y) {
        const table = Solar.fromYmd(y, 7, 1).getLunar().getJieQiTable();
        for (const name in table) sum += table[name].getDay();
      }
      return sum;
    },
    years() {
      let sum = 0;
      for (let y = FirstYear; y <= LastYear; ++y) sum += LunarYear.fromYear(y).getMonths().length;
      return sum;
    },
  };
}

// One measure in this process: prints the milliseconds of the first run and of a second.
async function measure(library, work) {
  const days = work === 'conversions' ? civilDays() : [];
  const runner = await (library === 'ours' ? ours() : theirs());
  const times = [];
  for (let i = 0; i < 2; ++i) {
    const start = performance.now();
    runner[work](days);
    times.push(performance.now() - start);
  }
  console.log(JSON.stringify(times));
}

if (process.argv[2] === '--one') {
  await measure(process.argv[3], process.argv[4]);
} else {
  const self = fileURLToPath(import.meta.url);
  const one = (library, work) =>
    JSON.parse(execFileSync(process.execPath, [self, '--one', library, work], { encoding: 'utf8' }));
  console.log(`node ${process.version}; ${FirstYear}-${LastYear}; milliseconds, first run (second run)`);
  console.log('work          tavomerix (wasm)        lunar-javascript        ratio first (second)');
  for (const work of works) {
    const [a1, a2] = one('ours', work);
    const [b1, b2] = one('theirs', work);
    console.log(`${work.padEnd(13)} ${a1.toFixed(1).padStart(8)} (${a2.toFixed(1).padStart(7)})` +
                `     ${b1.toFixed(1).padStart(8)} (${b2.toFixed(1).padStart(7)})` +
                `     ${(b1 / a1).toFixed(1).padStart(6)}x (${(b2 / a2).toFixed(1)}x)`);
  }
}
