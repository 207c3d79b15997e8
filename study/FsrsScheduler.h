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

#include <cstdint>

enum class ReviewState { New = 0, Learning = 1, Review = 2, Relearning = 3 };

enum class ReviewRating { Again = 1, Hard = 2, Good = 3, Easy = 4 };

// A word's place in the review. Times are whole Unix seconds.
struct ReviewCard {
    ReviewState state = ReviewState::New;
    int step = 0; // the (re)learning step reached
    std::int64_t due = 0;
    double stability = 0;
    double difficulty = 0;
    int scheduledDays = 0; // 0 while the card is in a (re)learning step
    int reps = 0;
    int lapses = 0;              // times a card in review was forgotten
    std::int64_t lastReview = 0; // 0: never reviewed
};

class FsrsScheduler {
public:
    // The card after answering it with rating at now. Throws std::invalid_argument when now falls on
    // an earlier (UTC) day than the card's last review, as the reference does.
    static ReviewCard Next(const ReviewCard& card, std::int64_t now, ReviewRating rating);
    // The chance of recalling the card at now; 0 for a new card.
    static double Retrievability(const ReviewCard& card, std::int64_t now);
};
