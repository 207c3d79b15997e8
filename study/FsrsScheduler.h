#pragma once
// When to ask a word again: FSRS-6, the open "Free Spaced Repetition Scheduler" memory model. A card's
// memory is its stability (days until the chance of recall falls to 90%) and its difficulty (1 to 10);
// each answer updates both, and the next review comes when recall is expected to fall to the requested
// retention. New and forgotten words first go through short steps within the day.
//
// The numbers are those of the model's reference implementation, ts-fsrs 5.4.2, with its defaults:
// the FSRS-6 default weights (kept in FsrsScheduler.cpp), a requested retention of 0.9, intervals of
// at most 36500 days, no fuzz, steps of 1 and 10 minutes for new words and 10 minutes for forgotten
// ones. Every result equals the reference's; tests/study/data holds its answers to compare with.

#include "store/ReviewCard.h"

#include <cstdint>

class FsrsScheduler {
public:
    // The card after answering it with rating at now. Throws std::invalid_argument when now falls on
    // an earlier (UTC) day than the card's last review, as the reference does.
    static ReviewCard Next(const ReviewCard& card, std::int64_t now, ReviewRating rating);
    // The chance of recalling the card at now; 0 for a new card.
    static double Retrievability(const ReviewCard& card, std::int64_t now);
};
