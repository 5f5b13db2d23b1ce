// Types of the tavomerix package. Years are astronomical (0 = 1 BC, -103 = 104 BC); civil
// dates are Julian to 1582-10-04 and Gregorian from 1582-10-15.

export interface CivilDate { year: number; month: number; day: number; }

export interface LunarDate {
  year: number;       // lunar year
  month: number;      // 1..12 (正月 .. 腊月)
  day: number;        // 1..30
  leap: boolean;      // the leap month that follows `month`
  longMonth: boolean; // the month has 30 days
}

// A civil date as "Y-M-D" text or as numbers.
export type DateInput = string | CivilDate;
// A lunar date as "Y-M-D" / "Y-闰M-D" text or as numbers.
export type LunarDateInput = string | { year: number; month: number; day: number; leap?: boolean };

// A term's instant as a LocalDayNumber: JD(UT) + 0.5 + zone/24; its floor is the Julian Day
// number of the local day.
export interface TermInstant { instant: number; number: number; }

export interface LunarYear {
  year: number;
  leapMonth: number;     // 0 = none, else the regular month the leap month follows
  monthCount: number;    // 12 or 13
  monthStarts: number[]; // Julian Day numbers of each month's first day, then the next 正月初一
}

export interface HolidayStatus {
  status: number;   // 0 statutory, 1 day off, 2 working day by arrangement, 3 workday, 4 weekend
  holiday: string;  // "" on ordinary days
  published: boolean;
  mark: string;     // "休", "班" or ""
}

export interface YearHolidays {
  year: number;
  published: boolean;
  notices: string[];
  holidays: { name: string; daysOff: number[]; workingDays: number[]; statutoryDays: number[] }[];
}

// What the command line prints, as it prints it.
export interface CliResult { exitCode: number; out: string; err: string; }

// The command line's JSON objects, with the command line's own field names (snake_case).
// Their fields are listed in the README; new fields may be added.
export type Json = { [field: string]: any };

export interface DayViewOptions { lunar?: boolean; lichun?: boolean; era?: boolean; hijri?: boolean; }

// The 子 hour's convention: 'early' turns the day at 23:00, 'late' (the default) at midnight.
export type ZiHour = 'early' | 'late';

// A clock time as "H:M" / "H:M:S" text or as numbers.
export type TimeInput = string | { hour: number; minute: number; second?: number };

// One of the twelve 时辰 of the almanac (the late 子 hour's day splits it in two).
export interface AlmanacHour {
  branch: number; label: string; start: string; end: string; ganzhi: number; ganzhi_name: string;
  spirit: number; spirit_name: string; yellow_path: boolean; path_name: string; luck: string;
  text: string;
}

export type Almanac = Json & {
  lines: string[]; favoured: string[]; forbidden: string[]; auspicious_spirits: string[];
  baleful_stars: string[]; all_forbidden: boolean; nothing_else: boolean; zi_hour: ZiHour;
  hours: AlmanacHour[];
};

export interface PillarJson { ganzhi: number; name: string; na_yin: number; na_yin_name: string; }

export type Pillars = Json & {
  civil: Json; time: string; time_zone: number; zi_hour: ZiHour; text: string;
  pillars: { year: PillarJson; month: PillarJson; day: PillarJson; hour: PillarJson };
  jie: { number: number; name: string; instant: string };
  true_solar_time: { longitude: number; longitude_seconds: number; equation_seconds: number;
                     correction_seconds: number; time: string } | null;  // null without a longitude
};

export interface CalendarOptions {
  timeZone?: number;      // hours east of Greenwich, -12..12 [8]
  modern?: boolean;       // modern astronomy for ancient years too [false]
  clock?: () => Date;     // today, for commands that default to it [new Date()]
}

export declare class TavomerixError extends Error {
  constructor(result: CliResult);
  exitCode: number;
}

export interface Calendar {
  readonly timeZone: number;
  readonly modern: boolean;
  run(args: string[], options?: string[]): CliResult;
  solarToLunar(year: number, month: number, day: number): LunarDate | null;
  lunarDateOfDay(dayNumber: number): LunarDate | null;
  lunarToSolar(year: number, month: number, day: number, leap?: boolean): CivilDate | null;
  dayView(date: DateInput | LunarDateInput, options?: DayViewOptions): Json;
  dayViewText(date: DateInput | LunarDateInput, options?: DayViewOptions & { almanac?: boolean }): string;
  almanac(date: DateInput | LunarDateInput, options?: { lunar?: boolean; zi?: ZiHour }): Almanac;
  pillars(date: DateInput, time: TimeInput, options?: { longitude?: number; zi?: ZiHour }): Pillars;
  ganzhi(date: DateInput | LunarDateInput, options?: { lunar?: boolean; lichun?: boolean }): Json;
  month(year: number, month: number): Json & { title: string; days: Json[] };
  terms(first: number, last?: number): Json[];
  termInstants(year: number): TermInstant[];
  moonPhases(first: number, last?: number): Json[];
  lunarMonths(first: number, last?: number): Json[];
  lunarYear(year: number): LunarYear | null;
  records(first: number, last?: number): Json[];
  ics(options?: { from?: number; years?: number; festivals?: boolean; terms?: boolean; moons?: boolean }): string;
}

export interface Tavomerix {
  calendar(options?: CalendarOptions): Calendar;
  julianDayNumber(year: number, month: number, day: number): number;
  civilDateOfDay(dayNumber: number): CivilDate | null;
  holidayStatus(date: CivilDate | number): HolidayStatus;
  yearHolidays(year: number): YearHolidays;
}

export declare function loadTavomerix(): Promise<Tavomerix>;
