// Writes tests/study/data/fsrs_vectors.csv: random review sequences answered by the reference
// implementation of the FSRS-6 scheduler, which the C++ scheduler's test replays step by step.
//
// Regenerate (from the repository's root; needs node ≥ 20 and the npm registry, the build never does):
//
//   npm ci --ignore-scripts --prefix scripts/fsrs-vectors && node scripts/make-fsrs-vectors.mjs
//
// The reference is the npm package ts-fsrs, pinned to 5.4.2 with its integrity in
// scripts/fsrs-vectors/package-lock.json: MIT License, Copyright (c) 2026 Open Spaced Repetition
// (github.com/open-spaced-repetition/ts-fsrs). It is a test-time tool only: nothing of it
// is built into or shipped with the program, and its node_modules/ is never committed.
//
// The sequences are fixed by the seed below, so a run makes the same file byte for byte. Every time
// is a whole Unix second, so the reference's millisecond dates divide exactly.

import { writeFileSync } from 'node:fs'
import { createRequire } from 'node:module'

const require = createRequire(new URL('./fsrs-vectors/package.json', import.meta.url))
const { fsrs, createEmptyCard, FSRSVersion } = require('ts-fsrs')

const outputUrl = new URL('../tests/study/data/fsrs_vectors.csv', import.meta.url)
const kSeed = 0x5eed2024
const kSequences = 420

// The program's settings: the FSRS-6 default weights (ts-fsrs's own), no fuzz, same-day steps.
const scheduler = fsrs({
  request_retention: 0.9,
  maximum_interval: 36500,
  enable_fuzz: false,
  enable_short_term: true,
  learning_steps: ['1m', '10m'],
  relearning_steps: ['10m'],
})

// mulberry32: small, fast and the same on every node.
function Random(seed) {
  let a = seed >>> 0
  return () => {
    a = (a + 0x6d2b79f5) >>> 0
    let t = a
    t = Math.imul(t ^ (t >>> 15), t | 1)
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61)
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296
  }
}
const random = Random(kSeed)
const between = (low, high) => low + Math.floor(random() * (high - low + 1))
const logUniform = (low, high) => Math.exp(Math.log(low) + random() * (Math.log(high) - Math.log(low)))
const round8 = (x) => Math.round(x * 1e8) / 1e8

const kDay = 86400
const kYear = 365 * kDay

// Again and Good are what a drill mostly answers (wrong or revealed, right at once).
function PickRating() {
  const x = random()
  return x < 0.35 ? 1 : x < 0.5 ? 2 : x < 0.85 ? 3 : 4
}

// The next review's time: on time or around it, again the same day, across a UTC midnight (where
// calendar days and 24-hour spans part), or after any gap from a minute to years.
function NextTime(now, card) {
  const due = Math.round(card.due.getTime() / 1000)
  const x = random()
  if (x < 0.35) {
    const span = Math.max(due - now, 60)
    return Math.max(now, due + Math.round((random() - 0.5) * 0.4 * span))
  }
  if (x < 0.6) {
    return now + (random() < 0.05 ? 0 : Math.floor(logUniform(1, 6 * 3600)))
  }
  if (x < 0.7) {
    const midnight = (Math.floor(now / kDay) + 1) * kDay
    return Math.max(now, midnight + between(-120, 120))
  }
  return now + Math.floor(logUniform(60, 4 * kYear))
}

// A card the program may have kept for a long time: in review, of any stability up to the ceiling,
// so that the longest intervals and their clamping are reached.
function SeasonedCard(now) {
  const stability = round8(random() < 0.4 ? 30000 + random() * 6500 : logUniform(0.01, 30000))
  const scheduledDays = Math.min(Math.max(Math.round(stability), 1), 36500)
  const lastReview = now - between(1, Math.min(scheduledDays * 2, 25 * 365) * kDay)
  const reps = between(3, 60)
  return {
    due: new Date((lastReview + scheduledDays * kDay) * 1000),
    stability,
    difficulty: round8(1 + random() * 9),
    elapsed_days: 0,
    scheduled_days: scheduledDays,
    reps,
    lapses: between(0, Math.floor(reps / 3)),
    learning_steps: 0,
    state: 2,
    last_review: new Date(lastReview * 1000),
  }
}

const Seconds = (date) => {
  const ms = date.getTime()
  if (ms % 1000 !== 0) {
    throw new Error(`not a whole second: ${date.toISOString()}`)
  }
  return ms / 1000
}

const lines = [
  `# FSRS-6 review sequences answered by ts-fsrs (${FSRSVersion}); made by scripts/make-fsrs-vectors.mjs`,
  '# c,state,step,due,stability,difficulty,scheduled_days,reps,lapses,last_review: a sequence starts from this card',
  '# rating,now,state,step,due,stability,difficulty,scheduled_days,reps,lapses,retrievability: the card after',
  '#   answering at now (Unix seconds); retrievability is the card\'s before the answer, at now',
]
let steps = 0
for (let i = 0; i < kSequences; ++i) {
  let now = between(Date.UTC(2000, 0, 1) / 1000, Date.UTC(2035, 0, 1) / 1000)
  let card = random() < 0.15 ? SeasonedCard(now) : createEmptyCard(new Date(now * 1000))
  lines.push(
    [
      'c',
      card.state,
      card.learning_steps,
      Seconds(card.due),
      card.stability,
      card.difficulty,
      card.scheduled_days,
      card.reps,
      card.lapses,
      card.last_review ? Seconds(card.last_review) : 0,
    ].join(',')
  )
  const length = random() < 0.3 ? between(20, 60) : between(1, 19)
  for (let j = 0; j < length; ++j) {
    if (j > 0) {
      now = NextTime(now, card)
    }
    const rating = PickRating()
    const retrievability = scheduler.get_retrievability(card, new Date(now * 1000), false)
    card = scheduler.next(card, new Date(now * 1000), rating).card
    if (Seconds(card.last_review) !== now) {
      throw new Error('the last review is not the answer\'s time')
    }
    lines.push(
      [
        rating,
        now,
        card.state,
        card.learning_steps,
        Seconds(card.due),
        card.stability,
        card.difficulty,
        card.scheduled_days,
        card.reps,
        card.lapses,
        retrievability,
      ].join(',')
    )
    ++steps
  }
}
writeFileSync(outputUrl, lines.join('\n') + '\n')
console.log(`${kSequences} sequences, ${steps} steps`)
